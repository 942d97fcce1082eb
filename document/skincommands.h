#pragma once

#include "skindocument.h"

#include <QUndoCommand>

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
