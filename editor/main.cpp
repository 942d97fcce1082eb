#include "skineditorapp.h"

int main(int argc, char* argv[])
{
    if (const std::optional<int> nAnswered = CSkinEditorApp::AnswerWithoutDisplay(argc, argv)) {
        return *nAnswered;
    }
    CSkinEditorApp app(argc, argv);
    return app.InitInstance();
}
