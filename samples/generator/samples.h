#pragma once

#include "canvas.h"
#include "skin.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The bitmap of a drawing, read through the same code path as a .bmp file from disk.
std::unique_ptr<CDib> MakeDib(const CCanvas& canvas);

// A font description with the fields a skin author sets; everything else keeps its default.
LOGFONT MakeFont(const char* pszFace, LONG nHeight, LONG nWeight);

// The skin's information lines, the same for every sample but the title and comment.
void SetInformation(CSkin& skin, const char* pszTitle, const char* pszComment);

struct SampleSkin
{
    std::string strFileName;
    std::function<std::unique_ptr<CSkin>()> make;
};

// Every sample the generator writes, in a fixed order.
std::vector<SampleSkin> GetSampleSkins();

std::unique_ptr<CSkin> MakeYellowNote();
std::unique_ptr<CSkin> MakeLeaf();
