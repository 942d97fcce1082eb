#pragma once

class QUrl;

// Hands a document or web address to the desktop's "open" action, as the shell would. False when
// the desktop refuses it. Tests intercept it with QDesktopServices::setUrlHandler.
bool ShellOpen(const QUrl& url);
