#include "shellopen.h"

#include <QDesktopServices>
#include <QUrl>

bool ShellOpen(const QUrl& url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}
