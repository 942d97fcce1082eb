#include "bitmaps.h"
#include "bytestream.h"
#include "files.h"
#include "skindocument.h"

#include <QObject>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::array kSampleNames{"yellow-note.skn", "leaf.skn"};

std::filesystem::path Sample(std::size_t nSample)
{
    return std::filesystem::path(TAVELO_SAMPLES_DIR) / kSampleNames.at(nSample);
}

using RectChange = std::pair<SkinRect, SkinChange>;
constexpr std::array<RectChange, 3> kRects{{
    {SkinRect::Title, SkinChange::TitleRect},
    {SkinRect::Message, SkinChange::MessageRect},
    {SkinRect::CloseButton, SkinChange::CloseRect},
}};
constexpr std::array<std::pair<SkinColour, SkinChange>, 7> kColours{{
    {SkinColour::MainTransparent, SkinChange::MainTransparent},
    {SkinColour::CloseTransparent, SkinChange::CloseTransparent},
    {SkinColour::CloseHoverTransparent, SkinChange::CloseHoverTransparent},
    {SkinColour::MessageText, SkinChange::MessageText},
    {SkinColour::MessageBack, SkinChange::MessageBack},
    {SkinColour::TitleText, SkinChange::TitleText},
    {SkinColour::TitleBack, SkinChange::TitleBack},
}};
constexpr std::array<std::pair<SkinFont, SkinChange>, 2> kFonts{{
    {SkinFont::Title, SkinChange::TitleFont},
    {SkinFont::Message, SkinChange::MessageFont},
}};

std::vector<std::uint8_t> Bytes(const CSkin& skin)
{
    CMemorySink sink;
    CSkinFileStatus status;
    EXPECT_TRUE(skin.Save(sink, &status)) << status.Describe();
    return sink.TakeBytes();
}

std::unique_ptr<CSkinDocument> OpenSample(const std::filesystem::path& path)
{
    CSkinFileStatus status;
    auto pDocument = CSkinDocument::Open(path, status);
    EXPECT_NE(pDocument, nullptr) << status.Describe();
    return pDocument;
}

// Everything the document announced; the context object drops the connections with the log.
struct SignalLog
{
    explicit SignalLog(CSkinDocument& document)
    {
        QObject::connect(&document, &CSkinDocument::changed, &context,
                         [this](SkinChanges what) { changes.push_back(what.toInt()); });
        QObject::connect(&document, &CSkinDocument::modifiedChanged, &context,
                         [this](bool bModified) { modified.push_back(bModified); });
        QObject::connect(&document, &CSkinDocument::filePathChanged, &context,
                         [this] { ++nPathChanges; });
    }
    void Clear()
    {
        changes.clear();
        modified.clear();
        nPathChanges = 0;
    }

    QObject context;
    std::vector<unsigned> changes;
    std::vector<bool> modified;
    int nPathChanges = 0;
};

// One random operation, with a value that differs from the skin's or, as often, one that does
// not; returns what it must announce (nothing for a no-op).
class RandomEditor
{
public:
    explicit RandomEditor(unsigned nSeed) : m_random(nSeed) {}

    SkinChanges Edit(CSkinDocument& document)
    {
        switch (Pick(5)) {
        case 0: {
            const auto& [rect, change] = kRects.at(Pick(kRects.size()));
            RECT rc = document.GetRect(rect);
            const bool bChange = Coin();
            rc.right += bChange ? 1 + static_cast<LONG>(Pick(20)) : 0;
            document.SetRect(rect, rc);
            return bChange ? change : SkinChanges();
        }
        case 1: {
            const auto& [colour, change] = kColours.at(Pick(kColours.size()));
            const bool bChange = Coin();
            const COLORREF cr = document.GetColour(colour) ^ (bChange ? 1 + Pick(0xFFFFFE) : 0);
            document.SetColour(colour, cr);
            return bChange ? change : SkinChanges();
        }
        case 2: {
            const auto& [font, change] = kFonts.at(Pick(kFonts.size()));
            LOGFONT lf = document.GetFont(font);
            const bool bChange = Coin();
            if (bChange) {
                lf.lfHeight -= 1 + static_cast<LONG>(Pick(5));
            } else {
                // Bytes after the face name's end are no part of the font.
                const std::size_t nEnd = GetFaceName(lf).size();
                if (nEnd + 1 < sizeof lf.lfFaceName) {
                    lf.lfFaceName[nEnd + 1] = 'x';
                }
            }
            document.SetFont(font, lf);
            return bChange ? change : SkinChanges();
        }
        case 3: {
            SkinInformation info = document.GetInformation();
            const bool bChange = Coin();
            if (bChange) {
                std::array fields{&info.strTitle, &info.strAuthor, &info.strDate, &info.strComment};
                *fields.at(Pick(fields.size())) += static_cast<char>('a' + Pick(26));
            }
            document.SetInformation(info);
            return bChange ? SkinChange::Information : SkinChanges();
        }
        default:
            return Apply(document);
        }
    }

private:
    // Every field of an Apply, changed or not; fields the component does not take are ignored.
    SkinChanges Apply(CSkinDocument& document)
    {
        const ComponentTraits& traits = kComponentTraits.at(Pick(kComponentTraits.size()));
        SkinChanges expected;
        ComponentEdit edit;
        if (traits.rect != SkinRect::None && Coin()) {
            RECT rc = document.GetRect(traits.rect);
            if (Coin()) {
                rc.bottom += 1 + static_cast<LONG>(Pick(9));
                if (traits.bRectFieldsEditable) {
                    expected |= std::ranges::find(kRects, traits.rect, &RectChange::first)->second;
                }
            }
            edit.rect = rc;
        }
        const int nPart = traits.nImagePart;
        switch (Pick(3)) {
        case 0:
            break;
        case 1: // the same bitmap in another object
            if (nPart != SKINPART_NONE) {
                edit.pImage = std::make_unique<CDib>(*document.GetSkin().GetImage(nPart));
            }
            break;
        default:
            edit.pImage = DibFromBytes(MakeSolidBmp(
                2 + static_cast<LONG>(Pick(40)), 2 + static_cast<LONG>(Pick(40)),
                static_cast<std::uint8_t>(Pick(256)), static_cast<std::uint8_t>(Pick(256)),
                static_cast<std::uint8_t>(Pick(256))));
            if (nPart != SKINPART_NONE) {
                expected |= nPart == SKINPART_MAIN_IMAGE    ? SkinChange::MainImage
                            : nPart == SKINPART_CLOSE_IMAGE ? SkinChange::CloseImage
                                                            : SkinChange::CloseHoverImage;
            }
        }
        edit.imagePath = document.GetImagePath(nPart);
        if (Coin()) {
            edit.imagePath = "picked-" + std::to_string(m_nPaths++) + ".bmp";
            if (nPart != SKINPART_NONE) {
                expected |= SkinChange::ImagePath;
            }
        }
        document.ApplyComponent(traits.component, std::move(edit));
        return expected;
    }

    std::size_t Pick(std::size_t nCount)
    {
        return std::uniform_int_distribution<std::size_t>(0, nCount - 1)(m_random);
    }
    bool Coin() { return Pick(2) == 0; }

    std::mt19937 m_random;
    int m_nPaths = 0;
};

} // namespace

// Random edits and saves on the samples: every edit is one step announced once, no-ops leave no
// trace, undoing everything restores the file byte for byte and the clean mark follows saves.
TEST(SkinDocument, RandomEditsUndoRedoAndSaveKeepTheBytes)
{
    const TempDir folder;
    for (unsigned nSeed = 0; nSeed < 50; ++nSeed) {
        SCOPED_TRACE("seed " + std::to_string(nSeed));
        const std::filesystem::path sample = Sample(nSeed % kSampleNames.size());
        const auto pDocument = OpenSample(sample);
        ASSERT_NE(pDocument, nullptr);
        CSkinDocument& document = *pDocument;
        QUndoStack& history = document.UndoStack();
        SignalLog log(document);
        const std::vector<std::uint8_t> original = ReadBytesFrom(sample);
        ASSERT_EQ(Bytes(document.GetSkin()), original);

        RandomEditor editor(nSeed);
        std::mt19937 random(nSeed + 1000);
        int nCleanIndex = 0;
        std::vector<std::uint8_t> cleanBytes = original;
        const int nOperations = std::uniform_int_distribution(1, 40)(random);
        for (int nOperation = 0; nOperation < nOperations; ++nOperation) {
            const bool bWasModified = document.IsModified();
            const int nIndex = history.index();
            log.Clear();
            if (random() % 8 == 0) {
                const std::filesystem::path path =
                    folder / (std::to_string(nSeed) + "-" + std::to_string(nOperation) + ".skn");
                CSkinFileStatus status;
                ASSERT_TRUE(document.Save(path, status)) << status.Describe();
                nCleanIndex = nIndex;
                cleanBytes = ReadBytesFrom(path);
                EXPECT_EQ(cleanBytes, Bytes(document.GetSkin()));
                EXPECT_EQ(document.GetFilePath(), path);
                EXPECT_EQ(log.nPathChanges, 1);
            } else {
                const SkinChanges expected = editor.Edit(document);
                EXPECT_EQ(history.index(), nIndex + (expected ? 1 : 0));
                EXPECT_EQ(log.changes,
                          expected ? std::vector{expected.toInt()} : std::vector<unsigned>());
            }
            EXPECT_EQ(document.IsModified(), history.index() != nCleanIndex);
            EXPECT_EQ(log.modified, document.IsModified() != bWasModified
                                        ? std::vector{document.IsModified()}
                                        : std::vector<bool>());
        }

        const std::vector<std::uint8_t> edited = Bytes(document.GetSkin());
        const auto nSteps = static_cast<std::size_t>(history.index());
        log.Clear();
        while (history.canUndo()) {
            history.undo();
        }
        EXPECT_EQ(log.changes.size(), nSteps);
        EXPECT_EQ(Bytes(document.GetSkin()), original);
        EXPECT_EQ(document.IsModified(), nCleanIndex != 0);
        while (history.canRedo()) {
            history.redo();
        }
        EXPECT_EQ(Bytes(document.GetSkin()), edited);
        history.setIndex(nCleanIndex);
        EXPECT_FALSE(document.IsModified());
        EXPECT_EQ(Bytes(document.GetSkin()), cleanBytes);
    }
}

// A save that fails keeps the name, the file and the modified mark.
TEST(SkinDocument, FailedSaveKeepsNameAndModifiedMark)
{
    const TempDir folder;
    std::filesystem::create_directory(folder / "folder.skn");
    for (const std::filesystem::path& target :
         {folder / "missing" / "skin.skn", folder / "folder.skn"}) {
        SCOPED_TRACE(target.string());
        const auto pDocument = OpenSample(Sample(0));
        ASSERT_NE(pDocument, nullptr);
        pDocument->SetColour(SkinColour::TitleText, RGB(1, 2, 3));
        SignalLog log(*pDocument);

        CSkinFileStatus status;
        EXPECT_FALSE(pDocument->Save(target, status));
        EXPECT_NE(status.error, CSkinFileStatus::Error::None);
        EXPECT_EQ(pDocument->GetFilePath(), Sample(0));
        EXPECT_TRUE(pDocument->IsModified());
        EXPECT_EQ(log.nPathChanges, 0);
        EXPECT_TRUE(log.modified.empty());
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "folder.skn"));
}

// Listeners may be going away with the document; a modified document says nothing as it goes.
TEST(SkinDocument, ClosingAModifiedDocumentAnnouncesNothing)
{
    auto pDocument = std::make_unique<CSkinDocument>();
    pDocument->SetColour(SkinColour::MessageBack, RGB(9, 9, 9));
    SignalLog log(*pDocument);
    pDocument.reset();
    EXPECT_TRUE(log.modified.empty());
}

TEST(SkinDocument, UnreadableFilesOpenNoDocument)
{
    const TempDir folder;
    WriteBytesTo(folder / "empty.skn", {});
    WriteBytesTo(folder / "text.skn", {'h', 'e', 'l', 'l', 'o', '\n'});
    const std::vector<std::uint8_t> sample = ReadBytesFrom(Sample(0));
    WriteBytesTo(folder / "cut.skn", {sample.begin(), sample.begin() + 200});
    const std::array<std::pair<const char*, CSkinFileStatus::Error>, 4> cases{{
        {"missing.skn", CSkinFileStatus::Error::Open},
        {"empty.skn", CSkinFileStatus::Error::NotSkin},
        {"text.skn", CSkinFileStatus::Error::NotSkin},
        {"cut.skn", CSkinFileStatus::Error::Truncated},
    }};
    for (const auto& [pszName, error] : cases) {
        CSkinFileStatus status;
        EXPECT_EQ(CSkinDocument::Open(folder / pszName, status), nullptr) << pszName;
        EXPECT_EQ(status.error, error) << pszName;
    }
}

// An image step keeps the image it replaced, the very object, not a copy.
TEST(SkinDocument, ImageStepsExchangeTheImageObjects)
{
    const auto pDocument = OpenSample(Sample(1));
    ASSERT_NE(pDocument, nullptr);
    const CDib* const pBefore = pDocument->GetSkin().GetMainImage();
    std::unique_ptr<CDib> pNew = DibFromBytes(MakeSolidBmp(8, 8, 10, 20, 30));
    const CDib* const pAfter = pNew.get();
    pDocument->ApplyComponent(COMPONENT_MAIN_WINDOW, ComponentEdit{{}, std::move(pNew), {}});

    EXPECT_EQ(pDocument->GetSkin().GetMainImage(), pAfter);
    pDocument->UndoStack().undo();
    EXPECT_EQ(pDocument->GetSkin().GetMainImage(), pBefore);
    pDocument->UndoStack().redo();
    EXPECT_EQ(pDocument->GetSkin().GetMainImage(), pAfter);
}

TEST(SkinDocument, StepsAreNamedAfterWhatTheyChange)
{
    CSkinDocument document;
    EXPECT_TRUE(document.IsUntitled());
    EXPECT_FALSE(document.IsModified());

    document.SetRect(SkinRect::Title, RECT{1, 2, 30, 40});
    EXPECT_EQ(document.UndoStack().undoText(), "Move Title Rectangle");
    LOGFONT lf = document.GetFont(SkinFont::Message);
    lf.lfItalic = 1;
    document.SetFont(SkinFont::Message, lf);
    EXPECT_EQ(document.UndoStack().undoText(), "Message Font");
    document.ApplyComponent(COMPONENT_CLOSE_BUTTON, ComponentEdit{RECT{5, 5, 19, 19}, {}, {}});
    EXPECT_EQ(document.UndoStack().undoText(), "Apply Close Button (Normal)");
    document.UndoStack().undo();
    EXPECT_EQ(document.UndoStack().redoText(), "Apply Close Button (Normal)");
    EXPECT_EQ(document.UndoStack().count(), 3);
}

// Arrow keys in a row are one step; a burst that comes back to where it started leaves none.
TEST(SkinDocument, NudgesInARowAreOneStep)
{
    CSkinDocument document;
    const RECT rcStart{10, 10, 20, 20};
    document.SetRect(SkinRect::Title, rcStart);
    for (LONG d = 1; d <= 5; ++d) {
        document.NudgeRect(SkinRect::Title, RECT{10 + d, 10, 20 + d, 20});
    }
    EXPECT_EQ(document.UndoStack().count(), 2);
    EXPECT_EQ(document.UndoStack().undoText(), "Nudge Title Rectangle");
    document.NudgeRect(SkinRect::Message, RECT{1, 1, 2, 2}); // another rectangle: its own step
    EXPECT_EQ(document.UndoStack().count(), 3);
    document.UndoStack().undo();
    document.UndoStack().undo();
    EXPECT_EQ(document.GetRect(SkinRect::Title), rcStart);

    document.NudgeRect(SkinRect::Title, RECT{11, 10, 21, 20});
    document.NudgeRect(SkinRect::Title, rcStart);
    EXPECT_EQ(document.UndoStack().count(), 1);
    EXPECT_EQ(document.GetRect(SkinRect::Title), rcStart);
}
