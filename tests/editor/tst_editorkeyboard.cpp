// The editor window for keyboard and screen reader users, in English and in German: one
// mnemonic per key in the window and in each menu, and a distinct name for every control.
#include "editorfixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTranslator>

#include <map>
#include <memory>

class tst_EditorKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsSandbox::Clear(); }
    void cleanup() { m_pGerman.reset(); }

    void mnemonicsUnique_data();
    void mnemonicsUnique();
    void controlsNamed_data();
    void controlsNamed();
    void namesOfControls();
    void viewDescribesComponent();

private:
    // Installs the German catalogue for this test function; false when it was not built.
    bool LoadGerman();

    SettingsSandbox m_settings;
    std::unique_ptr<QTranslator> m_pGerman;
};

namespace {

// The key of text's mnemonic, lower case; empty when it has none.
QString MnemonicOf(const QString& strText)
{
    const QKeySequence key = QKeySequence::mnemonic(strText);
    return key.isEmpty() ? QString() : key.toString().toLower();
}

// Every mnemonic of the window itself: the menu bar's titles and the labelled controls.
std::multimap<QString, QString> WindowMnemonics(const CSkinEditorDlg& dlg)
{
    std::multimap<QString, QString> keys;
    const auto add = [&keys](const QString& strText) {
        if (const QString strKey = MnemonicOf(strText); !strKey.isEmpty()) {
            keys.emplace(strKey, strText);
        }
    };
    for (const QAction* pAction : dlg.findChild<QMenuBar*>()->actions()) {
        add(pAction->text());
    }
    for (const QWidget* pWidget : dlg.findChildren<QWidget*>()) {
        if (qobject_cast<const QMenu*>(pWidget) != nullptr) {
            continue;
        }
        if (const auto* pButton = qobject_cast<const QAbstractButton*>(pWidget)) {
            add(pButton->text());
        } else if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget);
                   pLabel != nullptr && pLabel->buddy() != nullptr) {
            add(pLabel->text());
        } else if (const auto* pGroup = qobject_cast<const QGroupBox*>(pWidget)) {
            add(pGroup->title());
        }
    }
    return keys;
}

QString Clashes(const std::multimap<QString, QString>& keys)
{
    QStringList clashes;
    for (auto it = keys.begin(); it != keys.end(); it = keys.upper_bound(it->first)) {
        if (keys.count(it->first) > 1) {
            const auto [first, last] = keys.equal_range(it->first);
            for (auto clash = first; clash != last; ++clash) {
                clashes << clash->second;
            }
        }
    }
    return clashes.join(QStringLiteral(" / "));
}

} // namespace

bool tst_EditorKeyboard::LoadGerman()
{
    m_pGerman = std::make_unique<QTranslator>();
    if (!m_pGerman->load(QStringLiteral(TAVELO_TRANSLATIONS_DIR "/tavelo_de.qm"))) {
        return false;
    }
    QCoreApplication::installTranslator(m_pGerman.get());
    return true;
}

void tst_EditorKeyboard::mnemonicsUnique_data()
{
    QTest::addColumn<bool>("bGerman");
    QTest::newRow("English") << false;
    QTest::newRow("German") << true;
}

void tst_EditorKeyboard::mnemonicsUnique()
{
    QFETCH(bool, bGerman);
    if (bGerman && !LoadGerman()) {
        QSKIP("The German catalogue was not built (no lrelease)");
    }
    CScriptedPrompts prompts;
    const CSkinEditorDlg dlg;
    const std::multimap<QString, QString> window = WindowMnemonics(dlg);
    QVERIFY(window.size() >= 12);
    QVERIFY2(Clashes(window).isEmpty(), qPrintable(Clashes(window)));
    if (bGerman) {
        QStringList titles;
        for (const QAction* pAction : dlg.findChild<QMenuBar*>()->actions()) {
            titles << pAction->text();
        }
        QCOMPARE(titles,
                 QStringList({"&Datei", "&Bearbeiten", "S&kin", "&Ansicht", "E&xtras", "&Hilfe"}));
    }
    for (const QMenu* pMenu : dlg.findChildren<QMenu*>()) {
        std::multimap<QString, QString> items;
        for (const QAction* pAction : pMenu->actions()) {
            const QString strKey = MnemonicOf(pAction->text());
            QVERIFY2(pAction->isSeparator() || !pAction->isVisible() || !strKey.isEmpty(),
                     qPrintable(pAction->text()));
            if (!strKey.isEmpty()) {
                items.emplace(strKey, pAction->text());
            }
        }
        QVERIFY2(Clashes(items).isEmpty(), qPrintable(Clashes(items)));
    }
}

void tst_EditorKeyboard::controlsNamed_data()
{
    mnemonicsUnique_data();
}

// What a screen reader reads: every control that Tab reaches has a name, and no two of one role
// share it.
void tst_EditorKeyboard::controlsNamed()
{
    QFETCH(bool, bGerman);
    if (bGerman && !LoadGerman()) {
        QSKIP("The German catalogue was not built (no lrelease)");
    }
    SettingsSandbox::Store("ShowIssues", 1);
    CScriptedPrompts prompts;
    const CSkinEditorDlg dlg;
    std::map<std::pair<int, QString>, QString> named;
    int nControls = 0;
    for (QWidget* pWidget : dlg.findChildren<QWidget*>()) {
        if (!(pWidget->focusPolicy() & Qt::TabFocus) || !pWidget->isVisibleTo(&dlg)) {
            continue;
        }
        ++nControls;
        QAccessibleInterface* const pAccessible = QAccessible::queryAccessibleInterface(pWidget);
        QVERIFY(pAccessible != nullptr);
        const QString strName = pAccessible->text(QAccessible::Name);
        QVERIFY2(!strName.isEmpty(), qPrintable(pWidget->objectName()));
        const auto [it, bNew] =
            named.emplace(std::pair{int(pAccessible->role()), strName}, pWidget->objectName());
        QVERIFY2(bNew,
                 qPrintable(strName + " names " + it->second + " and " + pWidget->objectName()));
    }
    QCOMPARE(nControls, 19);
}

void tst_EditorKeyboard::namesOfControls()
{
    CScriptedPrompts prompts;
    const CSkinEditorDlg dlg;
    const std::pair<int, const char*> names[] = {
        {CSkinEditorDlg::IDC_LEFT, "Left"},
        {CSkinEditorDlg::IDC_TOP, "Top"},
        {CSkinEditorDlg::IDC_RIGHT, "Right"},
        {CSkinEditorDlg::IDC_BOTTOM, "Bottom"},
        {CSkinEditorDlg::IDC_MESSAGE_TEXT, "Message Foreground"},
        {CSkinEditorDlg::IDC_MESSAGE_BACK, "Message Background"},
        {CSkinEditorDlg::IDC_TITLE_TEXT, "Title Foreground"},
        {CSkinEditorDlg::IDC_TITLE_BACK, "Title Background"},
        {CSkinEditorDlg::IDC_TRANSPARENT, "Transparency"},
        {CSkinEditorDlg::IDC_BITMAP_PATH, "Bitmap"},
        {CSkinEditorDlg::IDC_BROWSE_BITMAP, "Browse for Bitmap"},
        {CSkinEditorDlg::IDC_PICKER, "Show Rectangle Picker"},
        {CSkinImageView::VIEW_ID, "Image view"},
    };
    for (const auto& [nId, pszName] : names) {
        QCOMPARE(Control<QWidget>(dlg, nId)->accessibleName(), QString::fromLatin1(pszName));
    }
}

// The view's description follows the component and its rectangle.
void tst_EditorKeyboard::viewDescribesComponent()
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    const QWidget* const pView = Control<QWidget>(dlg, CSkinImageView::VIEW_ID);
    QVERIFY(pView->accessibleDescription().contains(QStringLiteral("Main Window")));
    ChooseComponent(dlg, COMPONENT_TITLE);
    dlg.GetDocument().SetRect(SkinRect::Title, RECT{3, 4, 50, 20});
    QCOMPARE(pView->accessibleDescription(),
             QStringLiteral("Title, rectangle: left 3, top 4, right 50, bottom 20"));
}

QTEST_MAIN(tst_EditorKeyboard)
#include "tst_editorkeyboard.moc"
