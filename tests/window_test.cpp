// The window as a user meets it: where each control sits, what it says, what
// is drawn, which timers run, where the focus goes, and how it closes.
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/main_window.h"
#include "app/window_description.h"

using namespace transistor;

namespace {

QString NameOf(const ControlSpec &c) {
    QString name = QString::fromUtf8(c.name.data(), c.name.size());
    if (c.index >= 0) name += QStringLiteral("(%1)").arg(c.index);
    return name;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainWindow> window;

    template <typename T> T *control(const QString &name) const {
        T *w = window->findChild<T *>(name);
        if (!w) qWarning("no control %s", qPrintable(name));
        return w;
    }
    QTimer *timer(const char *name) const { return control<QTimer>(QLatin1String(name)); }

    void showActive() {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

  private slots:
    void init() { window = std::make_unique<MainWindow>(); }
    void cleanup() { window.reset(); }

    void opensAtClientSizeAndGrowsToFullExtent() {
        showActive();
        QCOMPARE(window->windowTitle(), QStringLiteral("Transistor visual simulation"));
        QCOMPARE(window->size(), QSize(661, 510));
        // Enlarging it brings the lower strip (9915 x 9615 twips) into view.
        QCOMPARE(window->maximumSize(), QSize(661, 641));
    }

    void controlSitsAtItsPlace_data() {
        QTest::addColumn<int>("row");
        const auto &all = WindowDescription();
        for (int i = 0; i < static_cast<int>(all.size()); ++i) {
            const ControlKind k = all[i].kind;
            if (k == ControlKind::Label || k == ControlKind::TextBox || k == ControlKind::Button ||
                k == ControlKind::PictureBox)
                QTest::newRow(qPrintable(NameOf(all[i]))) << i;
        }
    }
    void controlSitsAtItsPlace() {
        QFETCH(int, row);
        const ControlSpec &spec = WindowDescription()[row];
        QWidget *w = control<QWidget>(NameOf(spec));
        QVERIFY(w);
        QCOMPARE(w->geometry(),
                 QRect(spec.left / 15, spec.top / 15, spec.width / 15, spec.height / 15));
        const QString caption = QString::fromUtf8(spec.caption.data(), spec.caption.size());
        switch (spec.kind) {
        case ControlKind::Label: {
            auto *label = qobject_cast<QLabel *>(w);
            QVERIFY(label);
            QCOMPARE(label->text(), caption);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
            QCOMPARE(label->autoFillBackground(), !spec.transparent);
            if (spec.font == FontKind::BandLetter) {
                QCOMPARE(label->font().families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
                QCOMPARE(label->font().pointSizeF(), 14.25);
            } else {
                // No caption loses a word to its box.
                const int flags =
                    Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
                const QRect needed = label->fontMetrics().boundingRect(
                    QRect(0, 0, label->width(), 1000), flags, caption);
                QVERIFY2(
                    needed.width() <= label->width() && needed.height() <= label->height(),
                    qPrintable(
                        QStringLiteral("needs %1 x %2").arg(needed.width()).arg(needed.height())));
            }
            break;
        }
        case ControlKind::TextBox: {
            auto *edit = qobject_cast<QLineEdit *>(w);
            QVERIFY(edit);
            QCOMPARE(edit->text(), caption);
            QCOMPARE(edit->hasFrame(), !spec.flat);
            QVERIFY(!edit->isReadOnly());
            break;
        }
        case ControlKind::Button: {
            auto *button = qobject_cast<QPushButton *>(w);
            QVERIFY(button);
            QCOMPARE(button->text(), caption);
            break;
        }
        default:
            break;
        }
    }

    // Probes of the painted window at load, in pixels.
    void drawsAtLoad_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("expected");
        QTest::addColumn<bool>("equal");
        const QColor black(Qt::black), white(Qt::white);
        QTest::newRow("Line1 conduction edge") << QPoint(136, 152) << black << true;
        QTest::newRow("Line3 dash-dot starts with a dash") << QPoint(97, 160) << black << true;
        QTest::newRow("Line3 gap after the dash") << QPoint(107, 160) << black << false;
        QTest::newRow("Line21 collector valence edge") << QPoint(500, 208) << black << true;
        QTest::newRow("Line18 red marker hidden") << QPoint(208, 192) << QColor(Qt::red) << false;
        QTest::newRow("Line19 blue marker hidden") << QPoint(176, 192) << QColor(Qt::blue) << false;
        QTest::newRow("Shape4 battery plate filled") << QPoint(124, 424) << black << true;
        QTest::newRow("Shape3 body not filled") << QPoint(125, 340) << black << false;
        QTest::newRow("spare electron") << QPoint(35, 531) << black << true;
        QTest::newRow("spare hole filled white") << QPoint(67, 531) << white << true;
        QTest::newRow("spare hole outlined") << QPoint(64, 528) << white << false;
        QTest::newRow("Line6 axis on the plot") << QPoint(250, 608) << black << true;
        QTest::newRow("Picture1 background") << QPoint(250, 560) << white << true;
        QTest::newRow("Picture1 lies over Label12") << QPoint(150, 608) << black << true;
    }
    void drawsAtLoad() {
        QFETCH(QPoint, at);
        QFETCH(QColor, expected);
        QFETCH(bool, equal);
        window->resize(window->maximumSize());
        const QImage image = window->grab().toImage();
        const QColor actual = image.pixelColor(at);
        QVERIFY2((actual.rgb() == expected.rgb()) == equal, qPrintable(actual.name()));
    }

    void viewFollowsTheForm() {
        window->resize(window->maximumSize());
        Form &f = window->form();
        f.ctl.Shape1(7) = Carrier{6000, 4050}; // centre at pixel (403, 273)
        f.ctl.Line18.Visible = true;           // red marker at x 208
        f.ctl.Text13 = "10";
        f.ctl.Picture1.push_back(PlotPoint{1500, 600}); // pixel (100, 40) of the plot
        window->syncFromForm();
        const QImage image = window->grab().toImage();
        QCOMPARE(image.pixelColor(403, 273), QColor(Qt::black));
        QCOMPARE(image.pixelColor(208, 192), QColor(Qt::red));
        QCOMPARE(image.pixelColor(144 + 100, 512 + 40), QColor(Qt::black));
        QCOMPARE(control<QLineEdit>("Text13")->text(), QStringLiteral("10"));
    }

    void timersStartAsDescribed_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("running");
        QTest::newRow("Timer1 tick") << "Timer1" << 50 << false;
        QTest::newRow("Timer2 readout") << "Timer2" << 10000 << true;
        QTest::newRow("Timer3 red marker") << "Timer3" << 200 << false;
        QTest::newRow("Timer4 blue marker") << "Timer4" << 200 << false;
    }
    void timersStartAsDescribed() {
        QFETCH(QString, name);
        QFETCH(int, interval);
        QFETCH(bool, running);
        QTimer *t = control<QTimer>(name);
        QVERIFY(t);
        QCOMPARE(t->interval(), interval);
        QCOMPARE(t->isActive(), running);
        // And from then on they follow the Form.
        TimerProps *props = nullptr;
        for (const NamedTimer &n : kTimers)
            if (QLatin1String(n.name.data(), n.name.size()) == name)
                props = &(window->form().ctl.*n.timer);
        QVERIFY(props);
        props->Enabled = !running;
        window->syncFromForm();
        QCOMPARE(t->isActive(), !running);
    }

    void tickTimerIsPrecise() { QCOMPARE(timer("Timer1")->timerType(), Qt::PreciseTimer); }

    void tabVisitsTheBoxesInDescribedOrder() {
        showActive();
        const QStringList expected = {"Command1", "Command2", "Text1",   "Text2",    "Text3",
                                      "Text4",    "Text6",    "Text7",   "Picture1", "Text5",
                                      "Command3", "Text8",    "Text9",   "Text10",   "Text11",
                                      "Text12",   "Text13",   "Command1"};
        QStringList visited = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void enterOnTheFocusedStartStartsTheAnimation() {
        showActive();
        QCOMPARE(QApplication::focusWidget(), control<QWidget>("Command1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(timer("Timer1")->isActive());
    }

    void typingWritesTheFormAndSyncKeepsTheCursor() {
        showActive();
        auto *edit = control<QLineEdit>("Text1");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "350");
        QCOMPARE(window->form().ctl.Text1, std::string("350"));
        edit->setCursorPosition(1);
        window->syncFromForm();
        QCOMPARE(edit->cursorPosition(), 1);
    }

    void messageAndErrorAreEachShownOnce() {
        showActive();
        window->form().showMessage("Invalid temperature");
        window->syncFromForm();
        QMessageBox *box = window->messageBox();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("Invalid temperature"));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->windowModality(), Qt::WindowModal);
        box->close();
        QTRY_VERIFY(!window->messageBox());

        window->form().feedback.error = "Overflow";
        window->syncFromForm();
        QVERIFY(window->messageBox());
        QCOMPARE(window->messageBox()->text(), QStringLiteral("Overflow"));
        window->messageBox()->close();
        QTRY_VERIFY(!window->messageBox());
        window->syncFromForm();
        QVERIFY(!window->messageBox());
    }

    void closeEndsEverything_data() {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Close button") << true;
        QTest::newRow("window frame") << false;
    }
    void closeEndsEverything() {
        QFETCH(bool, byButton);
        showActive();
        if (byButton)
            QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
        else
            window->close();
        QVERIFY(!window->isVisible());
        QCOMPARE(window->form().feedback.closed, byButton);
        for (const char *name : {"Timer1", "Timer2", "Timer3", "Timer4"})
            QVERIFY2(!timer(name)->isActive(), name);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
