// The Issues panel: the same issues as `tavelo-skn check --json`, kept up to date, and each one
// leading to what it is about.
#include "editorfixture.h"
#include "issuespanel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QProcess>

#include <functional>

namespace {

using Breakage = std::function<void(CSkin&)>;

QStringList PanelIssues(const CSkinEditorDlg& dlg)
{
    QStringList lines;
    for (const SkinIssue& issue : dlg.findChild<CIssuesPanel*>()->GetIssues()) {
        lines << QStringLiteral("%1|%2|%3|%4")
                     .arg(SeverityName(issue.severity), QString::fromStdString(issue.strRule),
                          QString::fromStdString(issue.strComponent),
                          QString::fromStdString(issue.strMessage));
    }
    return lines;
}

QStringList CheckJsonIssues(const std::filesystem::path& path)
{
    QProcess check;
    check.start(QStringLiteral(TAVELO_SKN_EXE), {QStringLiteral("check"), QStringLiteral("--json"),
                                                 QString::fromStdString(path.string())});
    check.waitForFinished();
    QStringList lines;
    const QJsonObject file = QJsonDocument::fromJson(check.readAllStandardOutput()).object();
    for (const QJsonValue& value : file.value(QStringLiteral("issues")).toArray()) {
        const QJsonObject issue = value.toObject();
        lines << QStringLiteral("%1|%2|%3|%4")
                     .arg(issue.value(QStringLiteral("severity")).toString(),
                          issue.value(QStringLiteral("rule")).toString(),
                          issue.value(QStringLiteral("component")).toString(),
                          issue.value(QStringLiteral("message")).toString());
    }
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Breakage)

class tst_EditorIssues : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsSandbox::Clear(); }
    void panelListsWhatCheckLists_data();
    void panelListsWhatCheckLists();
    void issuesFollowTheSkinAndLeadToTheirComponent();
    void hiddenPanelStaysHidden();

private:
    SettingsSandbox m_settings;
};

void tst_EditorIssues::panelListsWhatCheckLists_data()
{
    QTest::addColumn<Breakage>("breakage");
    QTest::addColumn<int>("nIssues");
    QTest::newRow("sound sample") << Breakage([](CSkin&) {}) << 0;
    QTest::newRow("title over the close button")
        << Breakage([](CSkin& skin) { skin.m_rcTitle = skin.m_rcCloseButton; }) << 1;
    QTest::newRow("unreadable title, message outside") << Breakage([](CSkin& skin) {
        skin.m_crTitleText = skin.m_crTitleBack;
        skin.m_rcMessage.right = 10000;
    }) << 2;
}

void tst_EditorIssues::panelListsWhatCheckLists()
{
    QFETCH(Breakage, breakage);
    QFETCH(int, nIssues);
    const TempDir dir;
    CSkin skin;
    QVERIFY(skin.Load(kSamplesDir / "yellow-note.skn"));
    breakage(skin);
    const std::filesystem::path path = dir / "broken.skn";
    QVERIFY(skin.Save(path));

    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    QVERIFY(dlg.OpenSkinFile(path));
    QTRY_COMPARE(PanelIssues(dlg).size(), nIssues);
    QCOMPARE(PanelIssues(dlg), CheckJsonIssues(path));
}

void tst_EditorIssues::issuesFollowTheSkinAndLeadToTheirComponent()
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    QVERIFY(dlg.OpenSkinFile(kSamplesDir / "yellow-note.skn"));
    QTRY_COMPARE(PanelIssues(dlg).size(), 0);
    CSkinDocument& document = dlg.GetDocument();
    const RECT rcTitle = document.GetRect(SkinRect::Title);
    document.SetRect(SkinRect::Title, document.GetRect(SkinRect::CloseButton));
    QTRY_COMPARE(PanelIssues(dlg).size(), 1);

    auto* const pList = Control<QListWidget>(dlg, CSkinEditorDlg::IDC_ISSUES);
    emit pList->itemActivated(pList->item(0));
    QCOMPARE(dlg.GetComponent(), int{COMPONENT_TITLE});
    QVERIFY(Control<QPushButton>(dlg, CSkinEditorDlg::IDC_PICKER)->isChecked());

    document.UndoStack().undo();
    QTRY_COMPARE(PanelIssues(dlg).size(), 0);
    QCOMPARE(document.GetRect(SkinRect::Title), rcTitle);
}

void tst_EditorIssues::hiddenPanelStaysHidden()
{
    CScriptedPrompts prompts;
    {
        CSkinEditorDlg dlg;
        QVERIFY(dlg.GetCommand(CSkinEditorDlg::ID_VIEW_ISSUES)->isChecked());
        Trigger(dlg, CSkinEditorDlg::ID_VIEW_ISSUES);
        QVERIFY(dlg.findChild<CIssuesPanel*>()->isHidden());
    }
    CSkinEditorDlg dlg;
    QVERIFY(!dlg.GetCommand(CSkinEditorDlg::ID_VIEW_ISSUES)->isChecked());
    QVERIFY(dlg.findChild<CIssuesPanel*>()->isHidden());
}

QTEST_MAIN(tst_EditorIssues)
#include "tst_editorissues.moc"
