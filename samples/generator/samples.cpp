#include "samples.h"

#include "bytestream.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

std::unique_ptr<CDib> MakeDib(const CCanvas& canvas)
{
    const std::vector<std::uint8_t> bytes = canvas.EncodeBmp();
    CMemorySource source(bytes);
    auto pDib = std::make_unique<CDib>();
    if (pDib->Read(source) != bytes.size()) {
        throw std::runtime_error("a drawn bitmap did not read back");
    }
    return pDib;
}

LOGFONT MakeFont(const char* pszFace, LONG nHeight, LONG nWeight)
{
    LOGFONT logFont;
    logFont.lfHeight = nHeight;
    logFont.lfWeight = nWeight;
    logFont.lfCharSet = DEFAULT_CHARSET;
    SetFaceName(logFont, pszFace);
    return logFont;
}

void SetInformation(CSkin& skin, const char* pszTitle, const char* pszComment)
{
    skin.m_strTitle = pszTitle;
    skin.m_strAuthor = "The Tavelo developers";
    // Fixed, so that regenerating gives the committed bytes.
    skin.m_strDate = "8 December 2026";
    skin.m_strComment = pszComment;
}

std::vector<SampleSkin> GetSampleSkins()
{
    return {{"yellow-note.skn", MakeYellowNote}, {"leaf.skn", MakeLeaf}};
}
