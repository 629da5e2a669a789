#include "platform/qt/qt_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace vantrel {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QMessageBox::Icon qtIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(Dialogs::Buttons buttons) {
    switch (buttons) {
    case Dialogs::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Dialogs::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Dialogs::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Dialogs::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// The program's "description|*.ext|description|*.a;*.b" filter as Qt's filter list.
QStringList filterList(const std::string& filter) {
    QStringList parts = q(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        // Qt reads the patterns from the parentheses of the description.
        out << (parts[i].contains('(') ? parts[i] : parts[i] + " (" + patterns + ")");
    }
    return out;
}

QString startPath(const Dialogs::FileRequest& r) {
    if (r.folder.empty()) return q(r.fileName);
    return r.fileName.empty() ? q(r.folder) : q(r.folder) + "/" + q(r.fileName);
}

std::optional<std::string> fileDialog(QWidget* parent, const Dialogs::FileRequest& r, bool save) {
    QFileDialog dialog(parent, q(r.title), startPath(r));
    QStringList filters = filterList(r.filter);
    dialog.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[r.filterIndex - 1]);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!r.defaultExtension.empty()) dialog.setDefaultSuffix(q(r.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

} // namespace

QtDialogs::QtDialogs(QWidget* parent, QString programTitle)
    : parent_(parent), programTitle_(std::move(programTitle)) {}

QString QtDialogs::titleOr(const std::string& title) const {
    return title.empty() ? programTitle_ : q(title);
}

Dialogs::Answer QtDialogs::message(const std::string& text, const std::string& title,
                                   Buttons buttons, Icon icon) {
    QMessageBox box(qtIcon(icon), titleOr(title), q(text), qtButtons(buttons), parent_);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

std::optional<std::string> QtDialogs::input(const std::string& prompt, const std::string& title,
                                            const std::string& initial) {
    bool ok = false;
    QString text = QInputDialog::getText(parent_, titleOr(title), q(prompt), QLineEdit::Normal,
                                         q(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::optional<std::string> QtDialogs::openFile(const FileRequest& request) {
    return fileDialog(parent_, request, false);
}

std::optional<std::string> QtDialogs::saveFile(const FileRequest& request) {
    return fileDialog(parent_, request, true);
}

std::optional<std::uint32_t> QtDialogs::pickColour(std::uint32_t initial) {
    // Colours are kept red in the low byte.
    QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    QColor c = QColorDialog::getColor(start, parent_);
    if (!c.isValid()) return std::nullopt;
    return static_cast<std::uint32_t>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

std::optional<Dialogs::Font> QtDialogs::pickFont(const Font& initial) {
    QFont start(q(initial.name), initial.size > 0 ? initial.size : -1);
    start.setBold(initial.bold);
    start.setItalic(initial.italic);
    start.setUnderline(initial.underline);
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, start, parent_);
    if (!ok) return std::nullopt;
    return Font{f.family().toStdString(), f.pointSize(), f.bold(), f.italic(), f.underline()};
}

} // namespace vantrel
