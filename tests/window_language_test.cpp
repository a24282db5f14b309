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
        // The menu button shows a sign, not a word.
        const bool button = qobject_cast<QPushButton *>(w) && w->objectName() != u"MenuButton";
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
// design), a label that grew for a longer caption covering no other
// control, and no caption touching a line of the drawing: at every zoom.
TEST_F(WindowLanguage, NoCaptionIsClippedOrTouchesALine) {
    for (const double zoom : {1.0, 1.25, 2.0, 3.0}) {
        window.setZoom(zoom);
        for (const ControlDesign &c : WindowDescription()) {
            if (c.kind != ControlKind::Label) continue;
            auto *l = window.findChild<QLabel *>(ControlName(c));
            const std::string name = ControlName(c).toStdString() + " at " + std::to_string(zoom);
            const QRect room = l->contentsRect();
            const int flags = (l->wordWrap() ? Qt::TextWordWrap : 0) | Qt::AlignTop |
                              (l->alignment() & Qt::AlignHorizontal_Mask);
            const QRect text = l->fontMetrics().boundingRect(
                room.adjusted(0, 0, 0, 10 * room.height()), flags, l->text());
            for (const ControlDesign &line : WindowDescription()) {
                if (line.kind != ControlKind::Line || !line.container.empty()) continue;
                const QRect covered = QRectF(QPointF(std::min(line.x1, line.x2) * zoom / 15,
                                                     std::min(line.y1, line.y2) * zoom / 15),
                                             QPointF((std::max(line.x1, line.x2) + 15) * zoom / 15,
                                                     (std::max(line.y1, line.y2) + 15) * zoom / 15))
                                          .toAlignedRect();
                EXPECT_FALSE(text.translated(l->pos()).intersects(covered))
                    << name << " touches " << line.name;
            }
            if (c.font != FontKind::Default) continue;
            EXPECT_TRUE(room.contains(text)) << name;
            if (l->geometry() == ToPixels(c, zoom)) continue;
            for (const ControlDesign &o : WindowDescription()) {
                auto *other = window.findChild<QWidget *>(ControlName(o));
                EXPECT_TRUE(!other || other == l || !other->geometry().intersects(l->geometry()))
                    << name << " covers " << ControlName(o).toStdString();
            }
        }
        for (QPushButton *b : window.findChildren<QPushButton *>())
            EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 8, b->width());
    }
}

} // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    expected = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    installed = InstallTranslation(app);
    return RUN_ALL_TESTS();
}
