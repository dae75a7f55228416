// The handler guard: outermost handler shows the error, nested ones end the outer handler.
#include "core/error.h"
#include "core/guard.h"
#include "scripteddialogs.h"

#include <QTest>

#include <stdexcept>

class TstGuard : public QObject {
    Q_OBJECT
private slots:
    void errorEndsHandlerAndIsShown();
    void changesBeforeTheErrorStay();
    void nestedErrorEndsOuterHandler();
    void nestedErrorShownOnceAtTheEndWhenNotPickedUp();
    void nestedSuccessLetsOuterContinue();
    void otherExceptionsShowTheirText();
    void noStaleErrorAfterOuterFailure();
};

void TstGuard::errorEndsHandlerAndIsShown()
{
    ScriptedDialogs dialogs;
    bool after = false;
    core::guarded([&] {
        throw core::Error(u"'x' is not a valid floating point value"_qs);
        after = true;
    });
    QVERIFY(!after);
    QCOMPARE(dialogs.errors, QStringList{u"'x' is not a valid floating point value"_qs});
    // The guard is usable again.
    core::guarded([] {});
    QCOMPARE(dialogs.errors.size(), 1);
}

void TstGuard::changesBeforeTheErrorStay()
{
    ScriptedDialogs dialogs;
    int state = 0;
    core::guarded([&] {
        state = 1;
        throw core::Error(u"boom"_qs);
    });
    QCOMPARE(state, 1);
}

void TstGuard::nestedErrorEndsOuterHandler()
{
    ScriptedDialogs dialogs;
    QStringList steps;
    core::guarded([&] {
        steps << u"outer"_qs;
        core::guarded([&] { // a change handler run by a setText
            steps << u"inner"_qs;
            throw core::Error(u"inner failed"_qs);
        });
        QVERIFY(dialogs.errors.isEmpty()); // nothing shown while the outer handler runs
        core::rethrowPending();
        steps << u"outer after"_qs;
    });
    QCOMPARE(steps, (QStringList{u"outer"_qs, u"inner"_qs}));
    QCOMPARE(dialogs.errors, QStringList{u"inner failed"_qs});
}

void TstGuard::nestedErrorShownOnceAtTheEndWhenNotPickedUp()
{
    ScriptedDialogs dialogs;
    core::guarded([&] {
        core::guarded([] { throw core::Error(u"late"_qs); });
    });
    QCOMPARE(dialogs.errors, QStringList{u"late"_qs});
    core::guarded([] {});
    QCOMPARE(dialogs.errors.size(), 1);
}

void TstGuard::nestedSuccessLetsOuterContinue()
{
    ScriptedDialogs dialogs;
    bool finished = false;
    core::guarded([&] {
        core::guarded([] {});
        core::rethrowPending();
        finished = true;
    });
    QVERIFY(finished);
    QVERIFY(dialogs.errors.isEmpty());
}

void TstGuard::otherExceptionsShowTheirText()
{
    ScriptedDialogs dialogs;
    core::guarded([] { throw std::runtime_error("disk full"); });
    QCOMPARE(dialogs.errors, QStringList{u"disk full"_qs});
}

void TstGuard::noStaleErrorAfterOuterFailure()
{
    ScriptedDialogs dialogs;
    core::guarded([&] {
        core::guarded([] { throw core::Error(u"inner"_qs); });
        throw core::Error(u"outer"_qs);
    });
    QCOMPARE(dialogs.errors, QStringList{u"outer"_qs});
    core::guarded([] { core::rethrowPending(); });
    QCOMPARE(dialogs.errors.size(), 1);
}

QTEST_APPLESS_MAIN(TstGuard)
#include "tst_guard.moc"
