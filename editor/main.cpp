#include "skineditorapp.h"

int main(int argc, char* argv[])
{
    CSkinEditorApp app(argc, argv);
    return app.InitInstance();
}
