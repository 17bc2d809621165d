#include "tests/ui/gui_test_support.h"
#include "ui/application.h"
#include "ui/dialog_units.h"
#include "ui/message_box_sink.h"
#include "ui/report_file_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <string>

namespace brim::test {
namespace {

TEST(ApplicationName, IsTheExecutablesNameWithoutItsExtension) {
    struct Case {
        const char* path;
        const char* name;
    };
    constexpr Case kCases[] = {
        {"/usr/bin/brimcount", "brimcount"},
        {"./brimcount.exe", "brimcount"},
        {"brimcount", "brimcount"},
        {"/opt/tools/Brimcount.EXE", "Brimcount"},
        {"/home/me/brimcount.v2.exe", "brimcount.v2"}, // only the last extension goes
        {"/home/me/my tools/raid calc", "raid calc"},
        {"/usr/bin/.brimcount", ".brimcount"}, // all extension: the whole name stays
        {"", "brimcount"},
        {"/usr/bin/", "brimcount"},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(applicationNameFor(QString::fromUtf8(c.path)), QString::fromUtf8(c.name))
            << "path \"" << c.path << '"';
    }
}

TEST(ApplicationArguments, OnlyTheProgramPathReachesTheToolkit) {
    char program[] = "/usr/bin/brimcount";
    char option[] = "-platform";
    char* argv[] = {program, option, nullptr};
    EXPECT_EQ(programPathArgument(2, argv), program);

    char* noProgram[] = {nullptr};
    for (char* fallback : {programPathArgument(0, noProgram), programPathArgument(1, noProgram),
                           programPathArgument(0, nullptr)}) {
        ASSERT_NE(fallback, nullptr);
        EXPECT_STREQ(fallback, "brimcount");
    }
}

TEST(ApplicationSetUp, NamesTheApplicationAndGivesItTheIcon) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    const QString previousName = QApplication::applicationName();
    setUpApplication(*app, "/usr/local/bin/brimcount.bin");
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("brimcount"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("io.github.brimcount.Brimcount"));
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    QApplication::setApplicationName(previousName);
}

TEST(ProgramIcon, HasALargeAndASmallImage) {
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull()) << "icon resources not linked in";
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
}

TEST(DialogFont, SubstituteKeepsTheLayoutsBaseUnits) {
    const QFont font = dialogFont();
    EXPECT_EQ(font.pointSize(), 8);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_FALSE(font.italic());
    if (!QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans Condensed"))) {
        GTEST_SKIP() << "DejaVu Sans Condensed is not installed (fonts-dejavu-extra)";
    }
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("DejaVu Sans Condensed"));
    if (QGuiApplication::primaryScreen()->logicalDotsPerInch() != 96.0) {
        GTEST_SKIP() << "base units are known for a 96 dpi screen only";
    }
    const DialogUnits units(font);
    EXPECT_EQ(units.baseX(), 6);
    EXPECT_EQ(units.baseY(), 13);
}

TEST(DialogFont, TightestCaptionsFitTheirBoxes) {
    // The captions with the least room to spare: one-line labels and the words that must not
    // break. Width and height in dialog units.
    struct Case {
        const char* caption;
        int width;
        int height;
    };
    constexpr Case kCases[] = {
        {"Array Model:", 39, 8},           {"# Disks Per Group:", 35, 18},
        {"Includes Vault Disks?", 28, 26}, {"Group Capacity:", 32, 19},
        {"# of Groups:", 32, 18},          {"RAID Type:", 24, 16},
        {"D/SPEs Required", 60, 9},        {"Brimcount Version 4.31a", 119, 8},
    };
    const QFont font = dialogFont();
    const DialogUnits units(font);
    const QFontMetrics metrics(font);
    for (const Case& c : kCases) {
        const QRect box = units.toPixels({0, 0, c.width, c.height});
        const QRect needed = metrics.boundingRect(box, Qt::AlignLeft | Qt::TextWordWrap,
                                                  QString::fromLatin1(c.caption));
        EXPECT_LE(needed.width(), box.width()) << c.caption;
        EXPECT_LE(needed.height(), box.height()) << c.caption;
    }
}

class MessageBoxSinkTest : public GuiTest {};

TEST_F(MessageBoxSinkTest, ShowsOneOkButtonTitledWithTheProgramName) {
    QWidget owner;
    MessageBoxSink sink(&owner);
    struct Seen {
        QString title;
        QString text;
        Qt::TextFormat format = Qt::AutoText;
        int buttons = 0;
        bool ok = false;
        QWidget* parent = nullptr;
    } seen;
    ModalResponder responder([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(),
                box->text(),
                box->textFormat(),
                static_cast<int>(box->buttons().size()),
                box->button(QMessageBox::Ok) != nullptr,
                box->parentWidget()};
        QTest::keyClick(box, Qt::Key_Return);
    });
    // A text that looks like markup is shown as it is.
    const std::string text = "Error: Max disks per group is 16 <b>not bold</b>";
    sink.show(text);
    ASSERT_EQ(responder.answered().size(), 1U);
    EXPECT_EQ(seen.title, QApplication::applicationName());
    EXPECT_EQ(seen.text, QString::fromStdString(text));
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.ok);
    EXPECT_EQ(seen.parent, &owner);
}

TEST(ReportFileDialogSetUp, SavesTextFilesWithQtsOwnDialog) {
    const std::unique_ptr<QFileDialog> dialog = makeReportFileDialog(nullptr);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("Text Files (*.txt)")});
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("txt"));
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_FALSE(dialog->windowTitle().isEmpty()) << "Qt's own title for saving";
    const auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->text().isEmpty());
}

// Print's chooser keeps Qt's own title for saving; the workbook's choosers are named for their
// commands.
TEST(FileDialogSetUp, TitlesNameTheCommand) {
    EXPECT_NE(makeReportFileDialog(nullptr)->windowTitle(), QStringLiteral("Save Workbook"));
    EXPECT_EQ(makeWorkbookFileDialog(nullptr)->windowTitle(), QStringLiteral("Save Workbook"));
    EXPECT_EQ(makeOpenReportFileDialog(nullptr)->windowTitle(), QStringLiteral("Open"));
}

// Drives the real chooser: types `typed` into its file name field and presses Enter; a
// replace question that comes up is answered with `replace`; then cancels the chooser if it
// is still open.
class ReportFileDialogTest : public GuiTest {
protected:
    std::optional<std::string> choose(const QString& typed, QMessageBox::StandardButton replace) {
        QWidget owner;
        ReportFileDialog chooser(&owner);
        ModalResponder responder([this, &typed, replace](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(typed);
            ModalResponder question(
                [this, replace](QWidget* box) {
                    questions_ << box->windowTitle();
                    if (auto* message = qobject_cast<QMessageBox*>(box)) {
                        questionTexts_ << message->text();
                        message->button(replace)->click();
                    }
                },
                dialog);
            QTest::keyClick(name, Qt::Key_Return);
            stillOpen_ = dialog->isVisible();
        });
        return chooser.chooseReportFile();
    }

    QTemporaryDir dir_;
    QStringList questions_;
    QStringList questionTexts_;
    bool stillOpen_ = false;
};

TEST_F(ReportFileDialogTest, AddsTheTxtSuffixToANameWithoutOne) {
    ASSERT_TRUE(dir_.isValid());
    const auto chosen = choose(dir_.filePath(QStringLiteral("report")), QMessageBox::No);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, dir_.filePath(QStringLiteral("report.txt")).toStdString());
    EXPECT_TRUE(questions_.isEmpty());
}

TEST_F(ReportFileDialogTest, AsksBeforeReplacingAndDecliningReturnsToTheChooser) {
    ASSERT_TRUE(dir_.isValid());
    QFile existing(dir_.filePath(QStringLiteral("old.txt")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    // The suffix is added before the question, so "old" asks about old.txt.
    const auto declined = choose(dir_.filePath(QStringLiteral("old")), QMessageBox::No);
    EXPECT_FALSE(declined.has_value());
    EXPECT_EQ(questions_.size(), 1);
    EXPECT_TRUE(stillOpen_) << "declining must return to the chooser";
    ASSERT_EQ(questionTexts_.size(), 1);
    EXPECT_TRUE(questionTexts_.front().contains(QStringLiteral("old.txt")));

    questions_.clear();
    const auto confirmed = choose(dir_.filePath(QStringLiteral("old")), QMessageBox::Yes);
    ASSERT_TRUE(confirmed.has_value());
    EXPECT_EQ(*confirmed, dir_.filePath(QStringLiteral("old.txt")).toStdString());
    EXPECT_EQ(questions_.size(), 1);
}

TEST_F(ReportFileDialogTest, CancelChoosesNothing) {
    QWidget owner;
    ReportFileDialog chooser(&owner);
    ModalResponder responder([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(chooser.chooseReportFile().has_value());
    EXPECT_EQ(responder.count("QFileDialog"), 1);
}

TEST_F(ReportFileDialogTest, ReturnsANonAsciiPathAsUtf8) {
    ASSERT_TRUE(dir_.isValid());
    const QString path = dir_.filePath(QStringLiteral("Bericht für März"));
    const auto chosen = choose(path, QMessageBox::No);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (path + QStringLiteral(".txt")).toUtf8().toStdString());
}

} // namespace
} // namespace brim::test
