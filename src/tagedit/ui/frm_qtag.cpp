#include "tagedit/ui/frm_qtag.h"

#include "metadata/genre_table.h"
#include "tagedit/tag_editor.h"
#include "ui/qt_text.h"

#include <QSignalBlocker>

namespace vantrel {

namespace {

constexpr int kTop = 19; // the first field's row

// Only a changed list is refilled: refilling would drop the text being typed.
void renderList(QComboBox* box, const std::vector<std::string>& items, const std::string& text) {
    const QSignalBlocker quiet(box);
    bool same = box->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < box->count(); ++i)
        same = box->itemText(i) == qs(items[i]);
    if (!same) {
        box->clear();
        for (const std::string& item : items)
            box->addItem(qs(item));
    }
    if (box->currentText() != qs(text)) box->setEditText(qs(text));
}

QComboBox* editableBox(QWidget* parent, const QString& name, QRect where) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // the editor decides what joins a list
    box->setGeometry(where);
    return box;
}

} // namespace

frmQTag::frmQTag(TagEditor& editor, QWidget* parent) : QDialog(parent), editor_(editor) {
    setObjectName("frmQTag");
    setWindowTitle(QString(29, ' ') + "Tag Editor / File Renamer");
    setFixedSize(470, 306); // the square tag editor's height; the looks may set the rounded one
    buildFields();
    buildRenamer();
    // The looks' layers: the tag's fields and the renamer framed, the edge and the picture.
    Shape2[0] = addFrame(*this, "Shape2", 0, QRect(15, kTop - 4, 442, 166));
    Shape2[1] = addFrame(*this, "Shape2", 1, QRect(15, 184, 442, 112));
    ShapeBorder = addEdge(*this);
    ImageBack = addImageBack(*this);
    forwardEdits();
    editor_.setShower([this] { exec(); });
    connections_.push_back(editor_.changed.connect([this] { render(); }));
    connections_.push_back(editor_.hideRequested.connect([this] { QDialog::done(Rejected); }));
    render();
}

QLabel* frmQTag::label(int element, const QString& caption, QRect where) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(QString("lblTag%1").arg(element));
    l->setGeometry(where);
    lblTag[element] = l;
    return l;
}

void frmQTag::buildFields() {
    // Rows from the top: Title, Artist, Album, Genre, Year, Comment (tag fields 2..7).
    const int boxOfField[] = {TagEditor::Title, TagEditor::Artist, TagEditor::Album, -1,
                              TagEditor::Year,  TagEditor::Comment};
    // Inside the frame outline, which keeps clear of the rounded shape's corners.
    for (int row = 0; row < 6; ++row) {
        const int y = kTop + row * 26;
        label(row + 2, "", QRect(20, y + 1, 66, 22));
        if (boxOfField[row] < 0) continue;
        const int k = boxOfField[row];
        cmbMtag[k] = editableBox(this, QString("cmbMtag%1").arg(k), QRect(90, y, 362, 24));
    }
    const QRect genre(90, kTop + 3 * 26, 256, 24);
    cmbGenre = editableBox(this, "cmbGenre", genre);
    cmbGenreSort = editableBox(this, "cmbGenreSort", genre);
    for (std::string_view name : genres::byNumber())
        cmbGenre->addItem(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    for (const genres::SortedGenre& g : genres::alphabetical())
        cmbGenreSort->addItem(QString::fromUtf8(g.name.data(), static_cast<int>(g.name.size())),
                              g.number);
    const char* sortCaptions[] = {"< Sorted", "< Un-Sorted"};
    const char* sortTips[] = {"Alphabetically Sorted", "Standard Genre list Order"};
    for (int i = 0; i < 2; ++i) {
        cmdSortGenre[i] = new QPushButton(sortCaptions[i], this);
        cmdSortGenre[i]->setObjectName(QString("cmdSortGenre%1").arg(i));
        cmdSortGenre[i]->setToolTip(sortTips[i]);
        cmdSortGenre[i]->setGeometry(350, genre.y(), 102, 24);
        cmdSortGenre[i]->setAutoDefault(false);
    }
}

void frmQTag::buildRenamer() {
    label(8, "File Name:", QRect(20, 189, 98, 22));
    label(9, "Re Name File to:", QRect(20, 215, 98, 22));
    for (int i = 0; i < 3; ++i) {
        txtExample[i] = new QLineEdit(this);
        txtExample[i]->setObjectName(QString("txtExample%1").arg(i));
        txtExample[i]->setGeometry(120, 188 + i * 26, 332, 24);
    }
    txtExample[1]->setToolTip("Please use a valid Path and Filename, modify this example before "
                              "\"Adding Changes\" if required");
    txtExample[2]->hide();
    txtExample[0]->setGeometry(110, 176, 250, 26);
    cmdFromName = new QPushButton("Tag from Name", this);
    cmdFromName->setObjectName("cmdFromName");
    cmdFromName->setToolTip("Fill the Title (and the Artist and Album the Use boxes choose) from "
                            "the File Name, split at \" - \"");
    cmdFromName->setGeometry(364, 176, 96, 26);
    cmdFromName->setAutoDefault(false);
    const char* captions[] = {"Use Artist", "Use Title", "Use Album"};
    const char* tips[] = {
        "Uses this Tag \"Title\" and \"Artist\" Fields in the MP3 File Name if selected",
        "Uses this Tag \"Title\" Field in the MP3 File Name if selected",
        "Uses this Tag \"Title\", \"Artist\" and \"Album\" Fields in the MP3 File Name if "
        "selected"};
    const int xOf[] = {166, 20, 312}; // read left to right: Title, Artist, Album
    for (int i = 0; i < 3; ++i) {
        chkFileAs[i] = new QCheckBox(captions[i], this);
        chkFileAs[i]->setObjectName(QString("chkFileAs%1").arg(i));
        chkFileAs[i]->setToolTip(tips[i]);
        chkFileAs[i]->setGeometry(xOf[i], 240, 140, 22);
    }
    auto button = [this](const char* name, const char* caption, const char* tip, int x) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setGeometry(x, 264, 140, 28);
        b->setAutoDefault(false);
        return b;
    };
    cmdSave = button("cmdSave", "Add Changes",
                     "SAVE Tag Information Shown to File and Rename if any check box options "
                     "are Selected",
                     20);
    cmdSave->setDefault(true);
    cmdDel = button("cmdDel", "Delete Tag",
                    "DELETE Tag Information from File (not the file itself)", 166);
    cmdDone = button("cmdDone", "Close", "Close Edit Window", 312);
}

void frmQTag::forwardEdits() {
    for (int k = 0; k < 5; ++k)
        connect(cmbMtag[k], &QComboBox::editTextChanged, this,
                [this, k](const QString& text) { editor_.setField(k, text.toStdString()); });
    connect(cmbGenre, &QComboBox::activated, this, [this](int i) { editor_.chooseGenre(i); });
    connect(cmbGenreSort, &QComboBox::activated, this,
            [this](int i) { editor_.chooseSortedGenre(i); });
    for (QPushButton* b : cmdSortGenre)
        connect(b, &QPushButton::clicked, this, [this] { editor_.cmdSortGenre(); });
    connect(txtExample[0], &QLineEdit::textEdited, this,
            [this](const QString& text) { editor_.setFileNameText(text.toStdString()); });
    connect(txtExample[1], &QLineEdit::textEdited, this,
            [this](const QString& text) { editor_.setProposal(text.toStdString()); });
    for (int i = 0; i < 3; ++i)
        connect(chkFileAs[i], &QCheckBox::clicked, this,
                [this, i](bool on) { editor_.chkFileAsClick(i, on); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { editor_.cmdSave(); });
    connect(cmdDel, &QPushButton::clicked, this, [this] { editor_.cmdDel(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { editor_.cmdDone(); });
    connect(cmdFromName, &QPushButton::clicked, this, [this] { editor_.cmdFromName(); });
}

void frmQTag::reject() {
    editor_.cmdDone();
}

void frmQTag::render() {
    for (int k = 0; k < 5; ++k)
        renderList(cmbMtag[k], editor_.dropList(k), editor_.fields()[k]);
    for (int field = 2; field <= 7; ++field)
        lblTag[field]->setText(qs(editor_.label(field)));
    {
        const QSignalBlocker quiet(cmbGenre), quietSorted(cmbGenreSort);
        cmbGenre->setEditText(qs(editor_.genreText()));
        cmbGenreSort->setEditText(qs(editor_.genreSortText()));
    }
    const bool standard = editor_.standardGenreShown();
    cmbGenre->setVisible(standard);
    cmbGenreSort->setVisible(!standard);
    cmdSortGenre[0]->setVisible(!standard);
    cmdSortGenre[1]->setVisible(standard);
    const std::string* texts[] = {&editor_.fileName(), &editor_.proposal(), &editor_.folder()};
    for (int i = 0; i < 3; ++i)
        if (txtExample[i]->text() != qs(*texts[i])) txtExample[i]->setText(qs(*texts[i]));
    txtExample[0]->setEnabled(editor_.fileNameEnabled());
    txtExample[1]->setEnabled(editor_.proposalEnabled());
    for (int i = 0; i < 3; ++i) {
        chkFileAs[i]->setChecked(editor_.checked(i));
        chkFileAs[i]->setEnabled(editor_.checkEnabled(i));
    }
}

} // namespace vantrel
