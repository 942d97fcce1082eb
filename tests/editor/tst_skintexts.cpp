#include "bytestream.h"
#include "issuetext.h"
#include "skin.h"
#include "translatedskintext.h"

#include <QTest>
#include <QTranslator>

#include <algorithm>

Q_DECLARE_METATYPE(SkinText)

// The skin layer's messages reach the editor in German while the command line keeps the English.

namespace {

// The skin file cut off inside its title string.
CSkinFileStatus TruncatedSkinStatus()
{
    const std::vector<std::uint8_t> bytes = {1, 0, 0, 0, 10, 'a', 'b'};
    CMemorySource source(bytes);
    CSkin skin;
    CSkinFileStatus status;
    skin.Load(source, &status);
    return status;
}

// A skin whose main image is wider than any bitmap may be.
CSkinFileStatus OversizedImageStatus()
{
    std::vector<std::uint8_t> bytes = {1,    0,    0, 0, 0, 0,  0, 0, 'B', 'M', 54, 0, 0,
                                       0,    0,    0, 0, 0, 54, 0, 0, 0,   40,  0,  0, 0,
                                       0x20, 0x4E, 0, 0, 1, 0,  0, 0, 1,   0,   24, 0};
    bytes.resize(bytes.size() + 64);
    CMemorySource source(bytes);
    CSkin skin;
    CSkinFileStatus status;
    skin.Load(source, &status);
    return status;
}

} // namespace

class tst_SkinTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_german.load(QStringLiteral(TAVELO_DIALOGS_QM))); }
    void germanWithEnglishKept_data();
    void germanWithEnglishKept();
    void issueTexts();

private:
    QTranslator m_german;
};

void tst_SkinTexts::germanWithEnglishKept_data()
{
    QTest::addColumn<SkinText>("text");
    QTest::addColumn<QString>("strEnglish");
    QTest::addColumn<QString>("strGerman");
    QTest::newRow("load error with a field name and offsets")
        << TruncatedSkinStatus().Text()
        << "the file ends early at byte 7 (in the title, which starts at byte 4)"
        << "die Datei endet vorzeitig bei Byte 7 (betroffen: der Titel, beginnend bei Byte 4)";
    QTest::newRow("load error with the reader's limits")
        << OversizedImageStatus().Text()
        << "Skin main window image: the image is 20000 x 1 pixels; an image may have at most 16384 "
           "pixels a side and 16777216 pixels in all (at byte 8)"
        << "Hauptfensterbild des Skins: das Bild ist 20000 x 1 Pixel gro\u00DF; ein Bild darf "
           "h\u00F6chstens 16384 Pixel pro Seite und 16777216 Pixel insgesamt haben (bei Byte 8)";
    QTest::newRow("a value is never filled in again")
        << Phrase("%1 %2 is empty", {Literal("%2"), Literal("(1)")}) << "%2 (1) is empty"
        << "%2 (1) ist leer";
    QTest::newRow("a text no translation knows stays as it is")
        << Phrase("Permission denied") << "Permission denied"
        << "Permission denied";
    QTest::newRow("image beyond the limits")
        << DibLimitsText(20000, 2)
        << "the image is 20000 x 2 pixels; an image may have at most 16384 pixels a side and "
           "16777216 pixels in all"
        << "das Bild ist 20000 x 2 Pixel gro\u00DF; ein Bild darf h\u00F6chstens 16384 Pixel pro "
           "Seite und 16777216 Pixel insgesamt haben";
}

void tst_SkinTexts::germanWithEnglishKept()
{
    QFETCH(SkinText, text);
    QFETCH(QString, strEnglish);
    QFETCH(QString, strGerman);
    QCOMPARE(QString::fromStdString(text.English()), strEnglish);
    QCOMPARE(TranslatedSkinText(text), strEnglish);
    QCoreApplication::installTranslator(&m_german);
    const QString strTranslated = TranslatedSkinText(text);
    QCoreApplication::removeTranslator(&m_german);
    QCOMPARE(strTranslated, strGerman);
}

void tst_SkinTexts::issueTexts()
{
    CSkin skin;
    skin.m_rcTitle = {10, 10, 5, 20};
    const std::vector<SkinIssue> issues = CheckSkin(skin);
    const auto inverted = std::find_if(issues.begin(), issues.end(), [](const SkinIssue& issue) {
        return issue.strRule == "rect-inverted";
    });
    QVERIFY(inverted != issues.end());
    QCOMPARE(inverted->strMessage, inverted->text.English());
    QCoreApplication::installTranslator(&m_german);
    const QString strText = IssueText(*inverted);
    const QString strArea = IssueAreaText(*inverted);
    QCoreApplication::removeTranslator(&m_german);
    QCOMPARE(strText, QStringLiteral("das Titelrechteck (10, 10, 5, 20) ist vertauscht: sein "
                                     "rechter oder unterer Rand liegt vor seinem linken oder "
                                     "oberen Rand"));
    QCOMPARE(strArea, QStringLiteral("Titel"));
}

QTEST_MAIN(tst_SkinTexts)
#include "tst_skintexts.moc"
