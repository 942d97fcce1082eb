#include "bmppreviewloader.h"

#include <QtConcurrent/QtConcurrentRun>

CBmpPreviewLoader::CBmpPreviewLoader(QObject* pParent) : QObject(pParent)
{
    connect(&m_watcher, &QFutureWatcher<BmpPreview>::finished, this,
            &CBmpPreviewLoader::OnFinished);
}

CBmpPreviewLoader::~CBmpPreviewLoader()
{
    m_watcher.disconnect(this);
    if (m_pCancelRunning) {
        m_pCancelRunning->store(true);
    }
}

void CBmpPreviewLoader::Request(const QString& strPath)
{
    m_strNext = strPath;
    if (m_pCancelRunning) {
        m_pCancelRunning->store(true); // the next read starts when this one has stopped
    } else {
        StartNext();
    }
}

void CBmpPreviewLoader::Cancel()
{
    m_strNext.reset();
    if (m_pCancelRunning) {
        m_pCancelRunning->store(true);
    }
}

void CBmpPreviewLoader::StartNext()
{
    const QString strPath = *m_strNext;
    m_strNext.reset();
    m_pCancelRunning = std::make_shared<std::atomic_bool>(false);
    emit loadStarted(strPath);
    m_watcher.setFuture(
        QtConcurrent::run([strPath, crTransparent = m_crTransparent, pCancel = m_pCancelRunning] {
            return LoadBmpPreview(strPath, crTransparent, pCancel.get());
        }));
}

void CBmpPreviewLoader::OnFinished()
{
    // The future itself is asked: a finish already handled by WaitForNewest, or that of a
    // replaced future, may still arrive.
    if (!m_pCancelRunning || !m_watcher.future().isFinished()) {
        return;
    }
    const bool bCancelled = m_pCancelRunning->load();
    m_pCancelRunning.reset();
    if (m_strNext) {
        StartNext();
    } else if (!bCancelled && m_watcher.future().resultCount() > 0) {
        emit loaded(m_watcher.result());
    }
}

void CBmpPreviewLoader::WaitForNewest()
{
    while (m_pCancelRunning) {
        m_watcher.future().waitForFinished();
        OnFinished();
    }
}
