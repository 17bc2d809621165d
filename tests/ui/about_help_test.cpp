#include "tests/ui/gui_test_support.h"
#include "ui/about_window.h"
#include "ui/dialog_units.h"
#include "ui/help_window.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace brim::test {
namespace {

constexpr char kVersionLine[] = "Brimcount Version 4.31a";

QPushButton* okButton(const QDialog& window) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("OK")) {
            return button;
        }
    }
    return nullptr;
}

QLabel* helpField(const HelpWindow& window) {
    return window.findChild<QLabel*>(QStringLiteral("helpText"));
}

// Runs `whileOpen` on the window once its modal loop runs, then returns exec()'s result.
template <typename Window>
int execWith(Window& window, ModalWatchdog& watchdog, std::function<void()> whileOpen) {
    watchdog.allow(&window);
    QTimer::singleShot(0, &window, std::move(whileOpen));
    return window.exec();
}

QRect pixels(const QDialog& window, DialogRect rect) {
    return DialogUnits(window.font()).toPixels(rect);
}

// Both windows: the buttons of their frames, and the keys that close them.
struct WindowCase {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
    Qt::WindowFlags present;
    Qt::WindowFlags absent;
};

const std::vector<WindowCase>& windowCases() {
    static const std::vector<WindowCase> kCases{
        {"About", [] { return std::make_unique<AboutWindow>(); },
         Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
         Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowStaysOnTopHint},
        // A title bar, but no close box and no window menu; above every other window.
        {"Help", [] { return std::make_unique<HelpWindow>(); },
         Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint,
         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
             Qt::WindowMaximizeButtonHint},
    };
    return kCases;
}

class SmallWindowsTest : public GuiTest {};

TEST_F(SmallWindowsTest, FramesHaveExactlyTheirButtons) {
    for (const WindowCase& w : windowCases()) {
        const Qt::WindowFlags flags = w.make()->windowFlags();
        EXPECT_EQ(flags & w.present, w.present) << w.name;
        EXPECT_EQ(flags & w.absent, Qt::WindowFlags()) << w.name;
    }
}

TEST_F(SmallWindowsTest, EnterAcceptsAndEscapeRejects) {
    struct KeyCase {
        Qt::Key key;
        int result;
    };
    constexpr KeyCase kKeys[] = {{Qt::Key_Return, QDialog::Accepted},
                                 {Qt::Key_Enter, QDialog::Accepted},
                                 {Qt::Key_Escape, QDialog::Rejected}};
    for (const WindowCase& w : windowCases()) {
        for (const KeyCase& k : kKeys) {
            const std::unique_ptr<QDialog> window = w.make();
            QDialog* shown = window.get();
            const int result =
                execWith(*shown, watchdog_, [shown, k] { QTest::keyClick(shown, k.key); });
            EXPECT_EQ(result, k.result) << w.name << " key " << k.key;
        }
    }
}

class AboutWindowTest : public GuiTest {};

TEST_F(AboutWindowTest, ShowsTheVersionLineAsItsOnlyText) {
    AboutWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("About Brimcount"));
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) {
            texts << label->text();
        }
    }
    EXPECT_EQ(texts, QStringList{QString::fromLatin1(kVersionLine)});
    const auto buttons = window.findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->text(), QStringLiteral("OK"));
}

TEST_F(AboutWindowTest, IsFixedInSizeWithItsControlsWhereTheLayoutPutsThem) {
    AboutWindow window;
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.size(), pixels(window, {0, 0, 217, 55}).size());

    QPushButton* ok = okButton(window);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->geometry(), pixels(window, {178, 7, 32, 14}));

    QLabel* version = nullptr;
    QLabel* icon = nullptr;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        (label->text().isEmpty() ? icon : version) = label;
    }
    ASSERT_NE(version, nullptr);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(version->geometry(), pixels(window, {40, 10, 119, 8}));
    EXPECT_EQ(icon->geometry().topLeft(), pixels(window, {11, 17, 20, 20}).topLeft());
    EXPECT_FALSE(icon->pixmap().isNull());
    EXPECT_FALSE(window.windowIcon().isNull());
}

class HelpWindowTest : public GuiTest {};

TEST_F(HelpWindowTest, HelpTextIsSevenParagraphsWithTheirBlanks) {
    const QString text = HelpWindow::fixedHelpText();
    const QStringList paragraphs = text.split(QStringLiteral("\n\n"));
    ASSERT_EQ(paragraphs.size(), 7);
    EXPECT_EQ(paragraphs[0], QStringLiteral("Note: Capacity is in binary (GiB) gigabytes, which "
                                            "is how your host OS will report them. "));
    EXPECT_EQ(paragraphs[1], QStringLiteral(" Start by selecting the Array Model"));
    EXPECT_TRUE(paragraphs[2].contains(QStringLiteral("each definition.Please note that")));
    EXPECT_TRUE(paragraphs[3].endsWith(QStringLiteral("(316 MB vs. 34 MB).")));
    EXPECT_EQ(paragraphs[4], QStringLiteral("The Group Capacity is the capacity of the group, "
                                            "Total Capacity is for all groups in that "
                                            "definition."));
    EXPECT_TRUE(paragraphs[5].endsWith(QStringLiteral("maximum disk count. ")));
    EXPECT_TRUE(paragraphs[6].endsWith(QStringLiteral("They are for your convenience only")));
    // No other line breaks: every paragraph is one line that the field wraps.
    EXPECT_EQ(text.count(QLatin1Char('\n')), 12);
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
}

TEST_F(HelpWindowTest, IsFixedInSizeAndItsFieldWrapsWithoutScrolling) {
    HelpWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Brimcount Help"));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.size(), pixels(window, {0, 0, 306, 225}).size());

    QPushButton* ok = okButton(window);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->geometry(), pixels(window, {253, 2, 50, 14}));

    QLabel* field = helpField(window);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->geometry(), pixels(window, {7, 18, 292, 200}));
    EXPECT_TRUE(field->wordWrap());
    EXPECT_EQ(field->textFormat(), Qt::PlainText);
    EXPECT_TRUE(field->alignment().testFlag(Qt::AlignLeft));
    EXPECT_TRUE(field->alignment().testFlag(Qt::AlignTop));
    EXPECT_TRUE(window.findChildren<QScrollArea*>().isEmpty());
}

TEST_F(HelpWindowTest, TextIsEmptyUntilShownAndTheFieldShowsItExactly) {
    HelpWindow window;
    EXPECT_TRUE(window.helpText().isEmpty());
    QString shown;
    const int result = execWith(window, watchdog_, [&] {
        shown = helpField(window)->text();
        QTest::keyClick(&window, Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(shown, HelpWindow::fixedHelpText());
    EXPECT_EQ(window.helpText(), HelpWindow::fixedHelpText());
}

TEST_F(HelpWindowTest, OkTakesTheFieldsTextBackAsItStands) {
    HelpWindow window;
    const QString edited = QStringLiteral("changed while open");
    execWith(window, watchdog_, [&] {
        helpField(window)->setText(edited);
        okButton(window)->click();
    });
    EXPECT_EQ(window.helpText(), edited);
}

TEST_F(HelpWindowTest, ShowingItTwiceShowsTheSameTextAgain) {
    HelpWindow window;
    for (int showing = 0; showing < 2; ++showing) {
        QString shown;
        execWith(window, watchdog_, [&] {
            shown = helpField(window)->text();
            helpField(window)->setText(QString());
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        EXPECT_EQ(shown, HelpWindow::fixedHelpText()) << "showing " << showing;
    }
}

} // namespace
} // namespace brim::test
