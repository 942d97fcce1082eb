// The Qt prompt service with Qt's real dialogs, driven as a user would: the font dialog on a
// skin's font, and where message boxes open.
#include "fontex.h"
#include "qtconvert.h"
#include "qtpromptservice.h"
#include "scriptedprompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QMessageBox>
#include <QScopeGuard>
#include <QScreen>
#include <QStringListModel>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <optional>

Q_DECLARE_METATYPE(LOGFONT)
Q_DECLARE_METATYPE(std::optional<LOGFONT>)

namespace {

LOGFONT MakeFont(const char* pszFace, LONG nHeight, LONG nWeight, BYTE bItalic)
{
    LOGFONT lf;
    SetFaceName(lf, pszFace);
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfItalic = bItalic;
    // Fields the dialog does not show, set so that any change to them shows.
    lf.lfWidth = 3;
    lf.lfEscapement = 900;
    lf.lfOrientation = 900;
    lf.lfCharSet = 238;
    lf.lfOutPrecision = 3;
    lf.lfClipPrecision = 2;
    lf.lfQuality = 5;
    lf.lfPitchAndFamily = 0x22;
    return lf;
}

// Runs act on the modal dialog of type T once it is open; a dialog that act leaves open is
// cancelled, so a failing check cannot hang the test.
template <class T>
void WhenOpen(std::function<void(T&)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* const pModal = QApplication::activeModalWidget();
        if (auto* const pDialog = qobject_cast<T*>(pModal)) {
            act(*pDialog);
        }
        if (pModal != nullptr && pModal->isVisible()) {
            QMetaObject::invokeMethod(pModal, "reject", Qt::QueuedConnection);
        }
    });
}

// The font dialog's own lists, in the order it makes them: family, style, size.
QListView* FontList(QFontDialog& dialog, int nIndex)
{
    return dialog.findChildren<QListView*>().value(nIndex);
}

void Pick(QListView* pList, const QString& strItem)
{
    const auto* const pModel = qobject_cast<QStringListModel*>(pList->model());
    const auto nRow = pModel->stringList().indexOf(strItem);
    QVERIFY2(nRow >= 0, qPrintable(strItem));
    pList->setCurrentIndex(pModel->index(static_cast<int>(nRow)));
}

// What a user does in the dialog, then OK; "cancel" leaves it with Cancel.
void Act(QFontDialog& dialog, const QString& strAction)
{
    if (strAction == "cancel") {
        dialog.reject();
        return;
    }
    const QString strValue = strAction.section(' ', 1);
    if (strAction.startsWith("size ")) {
        for (QLineEdit* pEdit : dialog.findChildren<QLineEdit*>()) {
            if (qobject_cast<const QIntValidator*>(pEdit->validator()) != nullptr) {
                pEdit->setText(strValue);
            }
        }
    } else if (strAction.startsWith("style ")) {
        Pick(FontList(dialog, 1), strValue);
    } else if (strAction.startsWith("family ")) {
        Pick(FontList(dialog, 0), strValue);
    } else if (strAction == "underline") {
        dialog.findChildren<QCheckBox*>().value(1)->click();
    }
    dialog.accept();
}

// A font file of one empty glyph named strFamily, so that a family no installed font has can be
// offered in the dialog.
QByteArray MakeFontFile(const QString& strFamily)
{
    const auto put16 = [](QByteArray& bytes, int nValue) {
        bytes.append(char((nValue >> 8) & 0xFF)).append(char(nValue & 0xFF));
    };
    const auto put = [&put16](QByteArray& bytes, std::initializer_list<int> values) {
        for (const int nValue : values) {
            put16(bytes, nValue);
        }
    };
    QMap<QByteArray, QByteArray> tables; // in the order of their tags, as the directory wants
    put(tables["head"], {1, 0, 1, 0, 0, 0, 0x5F0F, 0x3CF5, 0x000B, 1000, 0, 0, 0, 0,
                         0, 0, 0, 0, 0, 0, 0,      0,      0,      8,    2, 0, 0});
    put(tables["hhea"], {1, 0, 800, 0xFF38, 0, 500, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1});
    put(tables["maxp"], {1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    put(tables["hmtx"], {500, 0});
    put(tables["loca"], {0, 0});
    put(tables["glyf"], {0, 0});
    put(tables["cmap"], {0, 1, 3, 1, 0, 12, 4, 24, 0, 2, 2, 0, 0, 0xFFFF, 0, 0xFFFF, 1, 0});
    put(tables["post"], {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const QString strings[] = {strFamily, QStringLiteral("Regular")};
    QByteArray& name = tables["name"];
    QByteArray text;
    put(name, {0, 2, 6 + 12 * 2});
    for (int nId = 1; const QString& strText : strings) {
        put(name, {3, 1, 0x409, nId++, int(strText.size()) * 2, int(text.size())});
        for (const QChar ch : strText) {
            put16(text, ch.unicode());
        }
    }
    name.append(text);

    QByteArray file;
    put(file, {1, 0, int(tables.size()), 128, 3, int(tables.size()) * 16 - 128});
    QByteArray data;
    for (auto it = tables.cbegin(); it != tables.cend(); ++it) {
        const int nOffset = int(12 + 16 * tables.size() + data.size());
        file.append(it.key());
        put(file, {0, 0, nOffset >> 16, nOffset & 0xFFFF, 0, int(it.value().size())});
        data.append(it.value()).append(QByteArray((4 - it.value().size() % 4) % 4, '\0'));
    }
    return file + data;
}

bool HasDejaVu()
{
    const QStringList families = QFontDatabase::families();
    return families.contains("DejaVu Sans") && families.contains("DejaVu Serif");
}

} // namespace

class tst_QtPromptService : public QObject
{
    Q_OBJECT

private slots:
    void fontDialogChangesOnlyWhatTheUserChanged_data();
    void fontDialogChangesOnlyWhatTheUserChanged();
    void fontDialogOpensOnTheSkinsFont();
    void fontDialogRefusesAFaceASkinCannotStore_data();
    void fontDialogRefusesAFaceASkinCannotStore();
    void saveDialogAsksBeforeReplacing();
    void messageAfterFileDialogIsChildOfTheEditor();
};

void tst_QtPromptService::fontDialogChangesOnlyWhatTheUserChanged_data()
{
    QTest::addColumn<LOGFONT>("initial");
    QTest::addColumn<QString>("strAction");
    QTest::addColumn<std::optional<LOGFONT>>("expected");
    const LOGFONT boldSans = MakeFont("DejaVu Sans", -13, 700, 0);
    const LOGFONT missing = MakeFont("Nowhere Sans Tavelo", -13, 700, 1);
    const LOGFONT regularSerif = MakeFont("DejaVu Serif", -16, 400, 0);
    const LOGFONT cellHeight = MakeFont("dejavu sans", 20, 0, 0);
    const LOGFONT defaults = MakeFont("", 0, 0, 0);
    for (const auto& [pszName, lf] : {std::pair{"bold", boldSans},
                                      {"not installed", missing},
                                      {"regular serif", regularSerif},
                                      {"cell height, other case", cellHeight},
                                      {"no face, default size", defaults}}) {
        QTest::addRow("OK untouched: %s", pszName) << lf << "ok" << std::optional(lf);
    }
    LOGFONT expected = missing;
    expected.lfHeight = 0; // the size's pixels at the screen's resolution
    QTest::newRow("size, not installed") << missing << "size 20" << std::optional(expected);
    expected = regularSerif;
    expected.lfWeight = 700;
    QTest::newRow("style") << regularSerif << "style Bold" << std::optional(expected);
    expected = boldSans;
    SetFaceName(expected, "DejaVu Serif");
    QTest::newRow("family") << boldSans << "family DejaVu Serif" << std::optional(expected);
    // Qt tells apart the foundries of a family; the skin stores the face alone.
    const QStringList families = QFontDatabase::families();
    const auto foundry = std::find_if(families.begin(), families.end(),
                                      [](const QString& strName) { return strName.endsWith(']'); });
    if (foundry != families.end()) {
        expected = boldSans;
        SetFaceName(expected, foundry->section(" [", 0, 0).toStdString());
        QTest::newRow("family of one foundry")
            << boldSans << "family " + *foundry << std::optional(expected);
    }
    expected = boldSans;
    expected.lfUnderline = 1;
    QTest::newRow("underline") << boldSans << "underline" << std::optional(expected);
    QTest::newRow("cancel") << boldSans << "cancel" << std::optional<LOGFONT>();
}

void tst_QtPromptService::fontDialogChangesOnlyWhatTheUserChanged()
{
    QFETCH(LOGFONT, initial);
    QFETCH(QString, strAction);
    QFETCH(std::optional<LOGFONT>, expected);
    if (!HasDejaVu()) {
        QSKIP("the DejaVu fonts are not installed");
    }
    if (expected && expected->lfHeight == 0 && initial.lfHeight != 0) {
        const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        expected->lfHeight = -static_cast<LONG>(std::lround(20 * dpi / 72));
    }
    CQtPromptService prompts;
    WhenOpen<QFontDialog>([strAction](QFontDialog& dialog) { Act(dialog, strAction); });
    const std::optional<LOGFONT> chosen = prompts.ChooseFont(initial);
    QCOMPARE(chosen.has_value(), expected.has_value());
    if (chosen) {
        QCOMPARE(QString::fromStdString(GetFaceName(*chosen)),
                 QString::fromStdString(GetFaceName(*expected)));
        QCOMPARE(chosen->lfHeight, expected->lfHeight);
        QCOMPARE(chosen->lfWeight, expected->lfWeight);
        QCOMPARE(chosen->lfItalic, expected->lfItalic);
        QVERIFY(*chosen == *expected); // and every other field
    }
}

void tst_QtPromptService::fontDialogOpensOnTheSkinsFont()
{
    if (!HasDejaVu()) {
        QSKIP("the DejaVu fonts are not installed");
    }
    const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    const LONG nHeight = -static_cast<LONG>(std::lround(12 * dpi / 72));
    CQtPromptService prompts;
    QFont shown;
    QString strTitle;
    const auto look = [&](QFontDialog& dialog) {
        shown = dialog.currentFont();
        strTitle = dialog.windowTitle();
        dialog.reject();
    };
    WhenOpen<QFontDialog>(look);
    prompts.ChooseFont(MakeFont("DejaVu Serif", nHeight, 700, 1));
    QCOMPARE(shown.family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(shown.pointSize(), 12);
    QCOMPARE(shown.weight(), QFont::Bold);
    QVERIFY(shown.italic());

    // A regular face opens upright, not on the family's first style.
    WhenOpen<QFontDialog>(look);
    prompts.ChooseFont(MakeFont("DejaVu Sans", nHeight, 400, 0));
    QCOMPARE(shown.weight(), QFont::Normal);
    QVERIFY(!shown.italic());

    // A face this machine lacks is named, since the dialog cannot show it; its stand-in has the
    // skin's style.
    WhenOpen<QFontDialog>(look);
    prompts.ChooseFont(MakeFont("Nowhere Sans Tavelo", nHeight, 700, 0));
    QVERIFY2(strTitle.contains("Nowhere Sans Tavelo"), qPrintable(strTitle));
    QCOMPARE(shown.weight(), QFont::Bold);
    QVERIFY(!shown.italic());
}

void tst_QtPromptService::fontDialogRefusesAFaceASkinCannotStore_data()
{
    QTest::addColumn<QString>("strFamily");
    QTest::addColumn<QString>("strNamed");
    QTest::newRow("CJK") << QStringLiteral("Tavelo \u4E2D\u6587") << QStringLiteral("(U+4E2D)");
    QTest::newRow("longer than 31") << QStringLiteral("Tavelo Face With A Name Much Too Long")
                                    << QStringLiteral("longer than the 31 characters");
}

// The dialog stays open on the refused face, so the user can choose another.
void tst_QtPromptService::fontDialogRefusesAFaceASkinCannotStore()
{
    QFETCH(QString, strFamily);
    QFETCH(QString, strNamed);
    const int nFont = QFontDatabase::addApplicationFontFromData(MakeFontFile(strFamily));
    if (nFont < 0) {
        QSKIP("this platform takes no application fonts");
    }
    const auto removeFont = qScopeGuard([nFont] { QFontDatabase::removeApplicationFont(nFont); });
    CScriptedPrompts prompts;
    prompts.QueueMessageAnswer(PromptAnswer::Ok);
    CQtPromptService service;
    bool bStayedOpen = false;
    WhenOpen<QFontDialog>([&](QFontDialog& dialog) {
        Pick(FontList(dialog, 0), strFamily);
        dialog.accept();
        bStayedOpen = dialog.isVisible();
    });
    QVERIFY(!service.ChooseFont(MakeFont("DejaVu Sans", -13, 400, 0)));
    QVERIFY(bStayedOpen);
    const auto messages = prompts.CallsOf(CScriptedPrompts::Kind::Message);
    QCOMPARE(messages.size(), std::size_t{1});
    QVERIFY2(QString::fromStdString(messages[0].text).contains(strNamed), messages[0].text.c_str());
}

void tst_QtPromptService::saveDialogAsksBeforeReplacing()
{
    CQtPromptService prompts;
    bool bAsks = false;
    QString strFolder;
    WhenOpen<QFileDialog>([&bAsks, &strFolder](QFileDialog& dialog) {
        bAsks = dialog.acceptMode() == QFileDialog::AcceptSave &&
                !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        strFolder = dialog.directory().absolutePath();
        dialog.reject();
    });
    QVERIFY(!prompts.ChooseSkinFile(FileDialogMode::Save, toPath(QDir::tempPath())));
    QVERIFY(bAsks);
    QCOMPARE(strFolder, QDir::tempPath());
}

// Right after a file dialog the window manager may not have given the focus back yet; the box
// still belongs to the editor, centred on it.
void tst_QtPromptService::messageAfterFileDialogIsChildOfTheEditor()
{
    CQtPromptService prompts;
    QDialog editor;
    editor.resize(400, 300);
    QWidget* pParent = nullptr;
    QTimer::singleShot(0, [&] {
        WhenOpen<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
        prompts.ChooseSkinFile(FileDialogMode::Open, {});
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(nullptr);
        QT_WARNING_POP
        WhenOpen<QMessageBox>([&pParent](QMessageBox& box) {
            pParent = box.parentWidget();
            box.accept();
        });
        prompts.ShowMessage("Saved.", PromptButtons::Ok, PromptIcon::Information);
        editor.accept();
    });
    editor.exec();
    QCOMPARE(pParent, &editor);
}

QTEST_MAIN(tst_QtPromptService)
#include "tst_qtpromptservice.moc"
