#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <filesystem>
#include <vector>

// "New from Template": the bundled template skins, each as its note's picture under its title;
// the one chosen starts a new, untitled skin. A template that cannot be read is listed, greyed,
// with the reason.
class CTemplateDlg : public QDialog
{
    Q_OBJECT

public:
    CTemplateDlg(const std::vector<std::filesystem::path>& templates, QWidget* pParent = nullptr);

    // The template chosen; empty when none is.
    std::filesystem::path GetChosen() const;

    static constexpr int kThumbnailSide = 160;

private:
    void AddTemplate(const std::filesystem::path& path);
    void OnCurrentChanged();

    QVBoxLayout m_layout;
    QListWidget m_list;
    QLabel m_description;
    QDialogButtonBox m_buttons;
};
