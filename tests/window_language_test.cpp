// The window in the language of the locale it runs under. CTest runs this
// program once per locale (tests/language.cmake) with the language it must
// show as its argument: "en", "ja", or "designed" for the texts as designed.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

#include "app/window_description.h"
#include "view/main_window.h"
#include "view/translation.h"
#include "view/twips.h"

using namespace transistor;

namespace {

QString expected; // "en", "ja" or "designed"
QString installed;

bool HasCjk(const QString &text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF) || c.isSurrogate())
            return true;
    }
    return false;
}

class WindowLanguage : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>();
        window->show();
    }
    QList<QLabel *> labels() const { return window->findChildren<QLabel *>(); }
    QList<QPushButton *> buttons() const { return window->findChildren<QPushButton *>(); }

    std::unique_ptr<MainWindow> window;
};

TEST(Language, TheLocalePicksTheTranslation) {
    EXPECT_EQ(installed.toStdString(), expected == u"designed" ? "" : expected.toStdString());
}

TEST_F(WindowLanguage, CaptionsReadInTheLanguage) {
    if (expected == u"designed") {
        EXPECT_EQ(window->windowTitle(), ToQString(Window().caption));
        for (const ControlDesign &c : WindowDescription())
            if (c.kind == ControlKind::Label || c.kind == ControlKind::Button) {
                EXPECT_EQ(window->findChild<QWidget *>(ControlName(c))->property("text").toString(),
                          ToQString(c.caption))
                    << ControlName(c).toStdString();
            }
    } else if (expected == u"en") {
        EXPECT_FALSE(HasCjk(window->windowTitle()));
        for (QLabel *l : labels()) EXPECT_FALSE(HasCjk(l->text())) << l->text().toStdString();
        for (QPushButton *b : buttons()) EXPECT_FALSE(HasCjk(b->text())) << b->text().toStdString();
        EXPECT_EQ(window->findChild<QLabel *>("Label11")->text(), "Collector current (mA)");
    } else {
        EXPECT_TRUE(HasCjk(window->windowTitle()));
        EXPECT_TRUE(HasCjk(window->findChild<QLabel *>("Label15")->text()));
        for (QPushButton *b : buttons()) EXPECT_TRUE(HasCjk(b->text())) << b->text().toStdString();
    }
}

TEST_F(WindowLanguage, AMessageReadsInTheLanguage) {
    window->form().ctl.Text1 = "warm";
    window->findChild<QPushButton *>("Command1")->click();
    QMessageBox *box = window->messageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->windowTitle(), window->windowTitle());
    if (expected == u"en") {
        EXPECT_FALSE(HasCjk(box->text())) << box->text().toStdString();
        for (QAbstractButton *b : box->buttons()) EXPECT_FALSE(HasCjk(b->text()));
    }
}

// Every caption whole inside its label (the large band letters overlap by
// design), and a label that grew for a longer caption covers no other control.
TEST_F(WindowLanguage, NoCaptionIsClipped) {
    for (const ControlDesign &c : WindowDescription()) {
        if (c.kind != ControlKind::Label || c.font != FontKind::Default) continue;
        auto *l = window->findChild<QLabel *>(ControlName(c));
        const std::string name = ControlName(c).toStdString();
        const int flags = (l->wordWrap() ? Qt::TextWordWrap : 0) | Qt::AlignLeft | Qt::AlignTop;
        const QRect needed = l->fontMetrics().boundingRect(
            QRect(0, 0, l->width(), 10 * l->height()), flags, l->text());
        EXPECT_LE(needed.width(), l->width()) << name;
        EXPECT_LE(needed.height(), l->height()) << name;
        if (l->geometry() == ToPixels(c, 1.0)) continue;
        for (const ControlDesign &o : WindowDescription()) {
            auto *other = window->findChild<QWidget *>(ControlName(o), Qt::FindDirectChildrenOnly);
            if (other && other != l) {
                EXPECT_FALSE(other->geometry().intersects(l->geometry()))
                    << name << " covers " << ControlName(o).toStdString();
            }
        }
    }
    for (QPushButton *b : buttons())
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
