// The holder of a dialog kept between showings: built once and reused while it is accepted,
// thrown away and built afresh (and wired again) after its frame closed it, never opened twice.
#include "kept_dialog.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <functional>

using vimbrel::KeptDialog;

class KeptDialogTest : public QObject {
    Q_OBJECT

private:
    // Shows the held dialog and runs `act` on it once its modal loop runs.
    static bool show_and(KeptDialog<QDialog>& kept, const std::function<void(QDialog&)>& act) {
        QTimer::singleShot(0, [&] { act(kept.dialog()); });
        return kept.show_modal();
    }

private slots:
    void accepted_it_stays_and_closed_by_its_frame_it_is_built_again() {
        QWidget owner;
        int built = 0;
        KeptDialog<QDialog> kept(&owner, [&](QDialog& dialog) {
            ++built;
            dialog.setObjectName(QStringLiteral("kept %1").arg(built));
        });
        QVERIFY(!kept.existing());
        QCOMPARE(built, 0);

        QVERIFY(show_and(kept, [](QDialog& dialog) { dialog.accept(); }));
        QPointer<QDialog> first = kept.existing();
        QVERIFY(first && !first->isVisible());
        QCOMPARE(first->parentWidget(), &owner);
        QVERIFY(show_and(kept, [](QDialog& dialog) { dialog.accept(); }));
        QCOMPARE(kept.existing(), first.data());
        QCOMPARE(built, 1);

        QVERIFY(!show_and(kept, [](QDialog& dialog) { dialog.close(); }));
        QVERIFY(first.isNull());
        QVERIFY(!kept.exists());
        QCOMPARE(kept.dialog().objectName(), QStringLiteral("kept 2"));
    }

    void a_second_showing_while_it_is_open_does_nothing() {
        KeptDialog<QDialog> kept;
        bool nested = true, open_inside = false;
        QVERIFY(show_and(kept, [&](QDialog& dialog) {
            open_inside = kept.is_open();
            nested = kept.show_modal();
            dialog.accept();
        }));
        QVERIFY(open_inside);
        QVERIFY(!nested);
        QVERIFY(!kept.is_open());
        QVERIFY(kept.exists());
    }

    void destroyed_while_open_or_with_its_holder() {
        QPointer<QDialog> shown;
        {
            KeptDialog<QDialog> kept;
            QVERIFY(!show_and(kept, [&](QDialog&) { kept.destroy(); }));
            QVERIFY(!kept.exists());
            shown = &kept.dialog();
        }
        QVERIFY(shown.isNull());
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    KeptDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "kept_dialog_test.moc"
