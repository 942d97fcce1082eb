#include "aboutdlg.h"
#include "skininfodlg.h"
#include "templatedlg.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLibraryInfo>
#include <QTest>
#include <QTranslator>

#include <functional>
#include <memory>

// Every editor dialog, in English and in German: one mnemonic per key, a name for every control
// the keyboard reaches, the cursor where the user starts, Esc and Enter.

using DialogMaker = std::function<std::unique_ptr<QDialog>()>;
Q_DECLARE_METATYPE(DialogMaker)

namespace {

QChar MnemonicOf(const QString& strText)
{
    for (qsizetype n = 0; n + 1 < strText.size(); ++n) {
        if (strText[n] == QLatin1Char('&')) {
            if (strText[n + 1] != QLatin1Char('&')) {
                return strText[n + 1].toLower();
            }
            ++n;
        }
    }
    return {};
}

QString TextOf(const QWidget* pWidget)
{
    if (const auto* pButton = qobject_cast<const QAbstractButton*>(pWidget)) {
        return pButton->text();
    }
    if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget)) {
        return pLabel->text();
    }
    return {};
}

QString AccessibleName(QWidget* pWidget)
{
    QAccessibleInterface* const pInterface = QAccessible::queryAccessibleInterface(pWidget);
    return pInterface != nullptr ? pInterface->text(QAccessible::Name) : QString();
}

} // namespace

class tst_DialogKeys : public QObject
{
    Q_OBJECT

private slots:
    void keyboardAndNames_data();
    void keyboardAndNames();
};

void tst_DialogKeys::keyboardAndNames_data()
{
    QTest::addColumn<QString>("strLanguage");
    QTest::addColumn<DialogMaker>("make");
    QTest::addColumn<QString>("strTitle");
    QTest::addColumn<QString>("strFirstFocus"); // object name of the widget focused on opening

    const DialogMaker info = [] { return std::make_unique<CSkinInfoDlg>(); };
    const DialogMaker about = [] { return std::make_unique<CAboutDlg>(); };
    const DialogMaker templates = [] {
        auto pDialog = std::make_unique<CTemplateDlg>(std::vector<std::filesystem::path>{
            TAVELO_SAMPLES_DIR "/leaf.skn", TAVELO_SAMPLES_DIR "/yellow-note.skn"});
        pDialog->findChild<QListWidget*>()->setObjectName(QStringLiteral("list"));
        return pDialog;
    };
    QTest::newRow("Skin Information, English")
        << "en" << info << "Skin Information" << QString::number(CSkinInfoDlg::IDC_SKIN_TITLE);
    QTest::newRow("Skin Information, German")
        << "de" << info << "Skin-Informationen" << QString::number(CSkinInfoDlg::IDC_SKIN_TITLE);
    QTest::newRow("About, English") << "en" << about << "About Tavelo"
                                    << "1";
    QTest::newRow("About, German") << "de" << about << "\u00DCber Tavelo"
                                   << "1";
    QTest::newRow("Templates, English") << "en" << templates << "New from Template"
                                        << "list";
    QTest::newRow("Templates, German") << "de" << templates << "Neu aus Vorlage"
                                       << "list";
}

void tst_DialogKeys::keyboardAndNames()
{
    QFETCH(QString, strLanguage);
    QFETCH(DialogMaker, make);
    QFETCH(QString, strTitle);
    QFETCH(QString, strFirstFocus);

    QTranslator own;
    QTranslator qt;
    if (strLanguage == QLatin1String("de")) {
        QVERIFY(own.load(QStringLiteral(TAVELO_DIALOGS_QM)));
        QVERIFY(qt.load(QStringLiteral("qtbase_de"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCoreApplication::installTranslator(&own);
        QCoreApplication::installTranslator(&qt);
    }
    const std::unique_ptr<QDialog> pDialog = make();
    QCoreApplication::removeTranslator(&own);
    QCoreApplication::removeTranslator(&qt);
    pDialog->show();
    QVERIFY(QTest::qWaitForWindowActive(pDialog.get()));
    QCOMPARE(pDialog->windowTitle(), strTitle);

    QHash<QChar, QString> mnemonics;
    for (QWidget* const pWidget : pDialog->findChildren<QWidget*>()) {
        if (!pWidget->isVisible()) {
            continue;
        }
        const QString strText = TextOf(pWidget);
        if (const QChar key = MnemonicOf(strText); !key.isNull()) {
            QVERIFY2(!mnemonics.contains(key),
                     qPrintable(strText + QStringLiteral(" and ") + mnemonics.value(key)));
            mnemonics.insert(key, strText);
        }
        if ((pWidget->focusPolicy() & Qt::TabFocus) != 0 && pWidget->isEnabled()) {
            QVERIFY2(!AccessibleName(pWidget).isEmpty(), pWidget->metaObject()->className());
        }
    }
    QVERIFY(pDialog->focusWidget() != nullptr);
    QCOMPARE(pDialog->focusWidget()->objectName(), strFirstFocus);

    QTest::keyClick(pDialog->focusWidget(), Qt::Key_Return);
    QCOMPARE(pDialog->result(), int(QDialog::Accepted));
    pDialog->show();
    QVERIFY(QTest::qWaitForWindowActive(pDialog.get()));
    QTest::keyClick(pDialog->focusWidget(), Qt::Key_Escape);
    QVERIFY(!pDialog->isVisible());
    QCOMPARE(pDialog->result(), int(QDialog::Rejected));
}

QTEST_MAIN(tst_DialogKeys)
#include "tst_dialogkeys.moc"
