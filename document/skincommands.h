#pragma once

#include "skindocument.h"

#include <QUndoCommand>

#include <chrono>
#include <memory>
#include <utility>
#include <vector>

// One value of the skin: the command keeps the value that is not in the skin, and undo and redo
// both exchange it with the skin's. An image step therefore holds the other image itself, never a
// copy of it.
template <class Key, class Value>
class CExchangeCommand final : public QUndoCommand
{
public:
    CExchangeCommand(CSkinDocument& document, Key key, Value value, const QString& strText)
        : QUndoCommand(strText), m_document(document), m_key(key), m_value(std::move(value))
    {
    }

    void redo() override { m_document.Exchange(m_key, m_value); }
    void undo() override { m_document.Exchange(m_key, m_value); }

private:
    CSkinDocument& m_document;
    Key m_key;
    Value m_value;
};

// An arrow-key move of a rectangle. Nudges of one rectangle that follow each other within a
// second merge into one step, which keeps the rectangle from before the first; a burst that
// ends where it began is no step at all.
class CNudgeCommand final : public QUndoCommand
{
public:
    static constexpr int kId = 1;

    CNudgeCommand(CSkinDocument& document, SkinRect rect, const RECT& rc, const QString& strText)
        : QUndoCommand(strText), m_document(document), m_rect(rect), m_value(rc),
          m_last(std::chrono::steady_clock::now())
    {
    }

    int id() const override { return kId; }
    void redo() override { m_document.Exchange(m_rect, m_value); }
    void undo() override { m_document.Exchange(m_rect, m_value); }

    bool mergeWith(const QUndoCommand* pOther) override
    {
        const auto* const pNudge = dynamic_cast<const CNudgeCommand*>(pOther);
        if (pNudge == nullptr || pNudge->m_rect != m_rect ||
            pNudge->m_last - m_last > std::chrono::seconds(1)) {
            return false;
        }
        m_last = pNudge->m_last;
        setObsolete(m_document.GetRect(m_rect) == m_value);
        return true;
    }

private:
    CSkinDocument& m_document;
    SkinRect m_rect;
    RECT m_value;
    std::chrono::steady_clock::time_point m_last;
};

// Several exchanges as one step, announced once: Apply of a component.
class CBatchCommand final : public QUndoCommand
{
public:
    CBatchCommand(CSkinDocument& document, const QString& strText)
        : QUndoCommand(strText), m_document(document)
    {
    }

    void Add(std::unique_ptr<QUndoCommand> pStep) { m_steps.push_back(std::move(pStep)); }
    bool IsEmpty() const { return m_steps.empty(); }

    void redo() override
    {
        m_document.BeginChange();
        for (const auto& pStep : m_steps) {
            pStep->redo();
        }
        m_document.EndChange();
    }
    void undo() override
    {
        m_document.BeginChange();
        for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it) {
            (*it)->undo();
        }
        m_document.EndChange();
    }

private:
    CSkinDocument& m_document;
    std::vector<std::unique_ptr<QUndoCommand>> m_steps;
};
