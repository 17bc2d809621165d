#include "help_window.h"

#include "application.h"
#include "dialog_units.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <array>
#include <string_view>

namespace brim {

namespace {

// The window's size and its controls, in dialog units.
constexpr DialogRect kWindowSize{0, 0, 306, 225};
constexpr DialogRect kOkPlace{253, 2, 50, 14};
constexpr DialogRect kTextPlace{7, 18, 292, 200};

constexpr char kTitle[] = "Brimcount Help";
constexpr char kOkCaption[] = "OK";

// The help text, one entry a paragraph, blanks at their ends included; a blank line stands
// between two paragraphs.
constexpr std::array<std::string_view, 7> kHelpParagraphs{
    "Note: Capacity is in binary (GiB) gigabytes, which is how your host OS will report them. ",
    " Start by selecting the Array Model",
    "Define up to 10 RAID Group definitions. You may have multiple instances of each "
    "definition. Choose the disk and RAID type for each definition.Please note that for Zunda "
    "SAS drive, select the corresponding entry for FC (146, 300, 400, 450) or you can select "
    "SATA II drives that are supported. The Number of Disks Per Group may be restricted by the "
    "group type you select.",
    "The groups that contain one or more Vault drives (disks 0-4 for Orlen, 0-3 for Zunda) can "
    "be indicated by placing a check mark in that column. Note that Zunda uses LESS private "
    "space per Vault drive than the Morvik (17.4 GB vs. 32.97 GB) but the Zunda uses MORE "
    "private space per non-vault drive (316 MB vs. 34 MB).",
    "The Group Capacity is the capacity of the group, Total Capacity is for all groups in that "
    "definition.",
    "The RESULTS pane indicates the total disk count and total number of SPEs required based on "
    "the array model's maximum disk count. ",
    "The four Accelerator buttons at the bottom of the disk list can be used to quickly fill the "
    "disk list for a quick setup. If Sticky Changes is set, then any line with a nonzero # of "
    "Groups will not be overwritten. The buttons indicate likely approaches for provisioning "
    "each type of storage they represent, but your design may vary. They are for your "
    "convenience only",
};

constexpr char kParagraphBreak[] = "\n\n";

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    // A title bar only: no close box and no window menu; the window stays above all others.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(programIcon());
    setFont(dialogFont());
    const DialogUnits units(font());
    setFixedSize(units.toPixels(kWindowSize).size());

    auto* ok = new QPushButton(QString::fromLatin1(kOkCaption), this);
    ok->setDefault(true);
    ok->setGeometry(units.toPixels(kOkPlace));

    // Wraps to its width and neither scrolls nor grows: what does not fit is not shown.
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("helpText"));
    text_->setTextFormat(Qt::PlainText);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setWordWrap(true);
    text_->setGeometry(units.toPixels(kTextPlace));
    text_->setAccessibleName(QString::fromLatin1(kTitle));

    // OK takes the shown text back, as it stands, before closing.
    connect(ok, &QPushButton::clicked, this, [this] {
        helpText_ = text_->text();
        accept();
    });
    ok->setFocus();
}

int HelpWindow::exec() {
    helpText_ = fixedHelpText();
    text_->setText(helpText_);
    return QDialog::exec();
}

QString HelpWindow::fixedHelpText() {
    QStringList paragraphs;
    for (std::string_view paragraph : kHelpParagraphs) {
        paragraphs << QString::fromLatin1(paragraph.data(),
                                          static_cast<qsizetype>(paragraph.size()));
    }
    return paragraphs.join(QString::fromLatin1(kParagraphBreak));
}

} // namespace brim
