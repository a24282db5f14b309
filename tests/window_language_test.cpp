// The window in the language of the locale it runs under. CTest runs this
// program once per locale (tests/language.cmake) with the language it must
// show as its argument: "en", "ja", or "designed" for the texts as designed.
#include <QtWidgets>
#include <gtest/gtest.h>

#include "app/window_description.h"
#include "view/main_window.h"
#include "view/translation.h"
#include "view/twips.h"

using namespace transistor;

namespace {

QString expected; // "en", "ja" or "designed"
QString installed;

bool HasCjk(const QString &text) {
    static const QRegularExpression cjk(
        u"[\u3000-\u30FF\u4E00-\u9FFF\uFF00-\uFFEF\\x{10000}-\\x{10FFFF}]"_qs);
    return text.contains(cjk);
}

struct WindowLanguage : ::testing::Test {
    WindowLanguage() { window.show(); }
    MainWindow window;
};

TEST(Language, TheLocalePicksTheTranslation) {
    EXPECT_EQ(installed, expected == u"designed" ? QString() : expected);
}

// The designed captions under C; no CJK under English, in any label, button
// or message; the buttons in Japanese under Japanese.
TEST_F(WindowLanguage, CaptionsAndMessagesReadInTheLanguage) {
    const bool designed = expected == u"designed", en = expected == u"en", ja = expected == u"ja";
    EXPECT_TRUE(!designed || window.windowTitle() == ToQString(Window().caption));
    EXPECT_EQ(HasCjk(window.windowTitle()), ja);
    for (const ControlDesign &c : WindowDescription()) {
        if (c.kind != ControlKind::Label && c.kind != ControlKind::Button) continue;
        const QString text =
            window.findChild<QWidget *>(ControlName(c))->property("text").toString();
        EXPECT_TRUE(!designed || text == ToQString(c.caption)) << text.toStdString();
    }
    for (QWidget *w : window.findChildren<QWidget *>()) {
        const bool button = qobject_cast<QPushButton *>(w);
        if (!button && !qobject_cast<QLabel *>(w)) continue;
        const QString text = w->property("text").toString();
        EXPECT_TRUE(!en || !HasCjk(text)) << text.toStdString();
        EXPECT_TRUE(!ja || !button || HasCjk(text)) << text.toStdString();
    }
    EXPECT_TRUE(!en || window.findChild<QLabel *>("Label11")->text() == u"Collector current (mA)");
    EXPECT_TRUE(!ja || HasCjk(window.findChild<QLabel *>("Label15")->text()));
    window.form().ctl.Text1 = "warm";
    window.findChild<QPushButton *>("Command1")->click();
    QMessageBox *box = window.messageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->windowTitle(), window.windowTitle());
    for (QAbstractButton *b : box->buttons()) EXPECT_TRUE(!en || !HasCjk(b->text()));
    EXPECT_TRUE(!en || !HasCjk(box->text())) << box->text().toStdString();
}

// Every caption whole inside its label (the large band letters overlap by
// design), and a label that grew for a longer caption covers no other control.
TEST_F(WindowLanguage, NoCaptionIsClipped) {
    for (const ControlDesign &c : WindowDescription()) {
        if (c.kind != ControlKind::Label || c.font != FontKind::Default) continue;
        auto *l = window.findChild<QLabel *>(ControlName(c));
        const std::string name = ControlName(c).toStdString();
        const int flags = (l->wordWrap() ? Qt::TextWordWrap : 0) | Qt::AlignLeft | Qt::AlignTop;
        const QRect needed = l->fontMetrics().boundingRect(
            QRect(0, 0, l->width(), 10 * l->height()), flags, l->text());
        EXPECT_LE(needed.width(), l->width()) << name;
        EXPECT_LE(needed.height(), l->height()) << name;
        if (l->geometry() == ToPixels(c, 1.0)) continue;
        for (const ControlDesign &o : WindowDescription()) {
            auto *other = window.findChild<QWidget *>(ControlName(o), Qt::FindDirectChildrenOnly);
            EXPECT_TRUE(!other || other == l || !other->geometry().intersects(l->geometry()))
                << name << " covers " << ControlName(o).toStdString();
        }
    }
    for (QPushButton *b : window.findChildren<QPushButton *>())
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 8, b->width());
}

} // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    expected = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    installed = InstallTranslation(app);
    return RUN_ALL_TESTS();
}
