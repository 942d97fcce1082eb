#pragma once

#include "dib.h"

#include <QColor>
#include <QPoint>

#include <map>
#include <memory>
#include <utility>

// A 24-bit bitmap of one colour with some pixels of other colours, as the editor would hold it.
std::unique_ptr<CDib> MakeDib(int nWidth, int nHeight, QColor fill,
                              const std::map<std::pair<int, int>, QColor>& pixels = {});
