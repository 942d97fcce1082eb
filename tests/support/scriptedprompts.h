#pragma once

#include "promptservice.h"

#include <deque>
#include <string>
#include <vector>

// The prompt service of tests: installs itself for its lifetime, records every question and
// answers from queues filled beforehand, one queue per kind of question. A question without a
// queued answer of its kind is a test failure: it is recorded, answered as a cancel, and the
// process aborts when the object goes away with such a call unread (ClearUnexpected reads them).
class CScriptedPrompts final : public IPromptService
{
public:
    enum class Kind
    {
        Message,
        Colour,
        SkinFile,
        Font,
        BitmapFile,
        SkinInformation,
        About,
        Template,
        PngFile,
    };

    struct Call
    {
        Kind kind = Kind::Message;
        std::string text;
        PromptButtons buttons = PromptButtons::Ok;
        PromptIcon icon = PromptIcon::None;
        COLORREF crInitial = 0;
        FileDialogMode mode = FileDialogMode::Open;
        std::filesystem::path folder; // where a file dialog opened
        LOGFONT font;
        ::SkinInformation info;
        std::vector<std::filesystem::path> templates; // what the template choice offered
        std::filesystem::path suggested;              // what the PNG dialog proposed
    };

    CScriptedPrompts();
    ~CScriptedPrompts() override;
    CScriptedPrompts(const CScriptedPrompts&) = delete;
    CScriptedPrompts& operator=(const CScriptedPrompts&) = delete;

    // No value in an optional answer: the user cancels that dialog.
    void QueueMessageAnswer(PromptAnswer answer) { m_messages.push_back(answer); }
    void QueueColourAnswer(std::optional<COLORREF> answer) { m_colours.push_back(answer); }
    void QueueSkinFileAnswer(std::optional<std::filesystem::path> answer)
    {
        m_skinFiles.push_back(std::move(answer));
    }
    void QueueFontAnswer(std::optional<LOGFONT> answer) { m_fonts.push_back(answer); }
    void QueueBitmapFileAnswer(std::optional<std::filesystem::path> answer)
    {
        m_bitmapFiles.push_back(std::move(answer));
    }
    void QueueSkinInformationAnswer(std::optional<::SkinInformation> answer)
    {
        m_infos.push_back(std::move(answer));
    }
    void ExpectAbout() { ++m_nAboutsExpected; }
    void QueueTemplateAnswer(std::optional<std::filesystem::path> answer)
    {
        m_templates.push_back(std::move(answer));
    }
    void QueuePngFileAnswer(std::optional<std::filesystem::path> answer)
    {
        m_pngFiles.push_back(std::move(answer));
    }

    PromptAnswer ShowMessage(std::string_view text, PromptButtons buttons,
                             PromptIcon icon) override;
    std::optional<COLORREF> ChooseColour(COLORREF crInitial) override;
    std::optional<std::filesystem::path>
    ChooseSkinFile(FileDialogMode mode, const std::filesystem::path& folder) override;
    std::optional<LOGFONT> ChooseFont(const LOGFONT& initial) override;
    std::optional<std::filesystem::path> ChooseBitmapFile(const std::filesystem::path& folder,
                                                          COLORREF crTransparent) override;
    bool EditSkinInformation(::SkinInformation& info) override;
    void ShowAbout() override;
    std::optional<std::filesystem::path>
    ChooseTemplate(const std::vector<std::filesystem::path>& templates) override;
    std::optional<std::filesystem::path>
    ChoosePngFile(const std::filesystem::path& suggested) override;

    const std::vector<Call>& Calls() const { return m_calls; }
    // The calls of one kind, in order.
    std::vector<Call> CallsOf(Kind kind) const;
    bool AllAnswersUsed() const;
    // Calls that found no answer queued, and forgets them.
    std::vector<Call> ClearUnexpected();

private:
    // Records the call; false (and the call noted as unexpected) when no answer is queued.
    template <class T>
    bool Take(std::deque<T>& queue, T& answer, const Call& call);

    IPromptService* m_pPrevious = nullptr;
    std::deque<PromptAnswer> m_messages;
    std::deque<std::optional<COLORREF>> m_colours;
    std::deque<std::optional<std::filesystem::path>> m_skinFiles;
    std::deque<std::optional<LOGFONT>> m_fonts;
    std::deque<std::optional<std::filesystem::path>> m_bitmapFiles;
    std::deque<std::optional<::SkinInformation>> m_infos;
    std::deque<std::optional<std::filesystem::path>> m_templates;
    std::deque<std::optional<std::filesystem::path>> m_pngFiles;
    int m_nAboutsExpected = 0;
    std::vector<Call> m_calls;
    std::vector<Call> m_unexpected;
};
