// The settings dialog Sorvane_P: the user chooses the music source, the CD
// track to repeat and the music file, saves them to the settings file or
// leaves, and can open the author's web page.
#pragma once

#include "accessible_roles.h"
#include "button/button.h"
#include "com_apartment.h"
#include "forms/combo_box.h"
#include "forms/control_list.h"
#include "forms/form.h"
#include "forms/keyboard_target.h"
#include "forms/picture.h"
#include "forms/picture_box.h"
#include "forms/windowless_control.h"
#include "music_sources.h"
#include "settings.h"
#include "win32_handles.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

class SettingsDialog final : public Form {
    // Declared first, so that they go last: every control that draws with
    // them, and every window, has gone by then.
    UniqueFont font_, linkFont_;
    std::array<Picture, 2> markPictures_;
    // The shell's calls and the roles' annotations want COM on the dialog's
    // thread (shell extensions may need it): entered before the first, left
    // when the dialog goes, after the roles have been cleared.
    ComApartment com_;
    AccessibleRoles roles_;

public:
    // A stored music file out of reach for now is still the user's choice:
    // shown, and saved back unless another is chosen.
    explicit SettingsDialog(std::optional<StoredMusicFile> unreachableFile = std::nullopt);
    ~SettingsDialog() override;

    // The controls, named as the form names them; arrays by element index.
    std::array<std::optional<PictureBox>, 1> Pic_C;
    Shape Shape3;
    std::map<int, Label> lbl;
    std::array<ImageControl, kMusicCategoryCount> Img_BGM;  // by category
    std::array<Label, kMusicCategoryCount> lbl_BGM;
    std::array<ImageControl, 2> Img_Ra;  // 0 unselected, 1 selected
    std::optional<ComboBox> BGM_Repeat;
    std::array<std::optional<Command>, 1> Cmd_File;
    std::array<Label, 1> lbl_Fname;
    std::optional<Command> Cmd_Set;
    std::optional<Command> Cmd_Can;
    Label lbl_URL;
    Label lbl_Credit;

    // The tab stops in the page's order, top to bottom: the sources, the
    // track box, "...", "設定", "ｷｬﾝｾﾙ", the link.
    std::vector<HWND> TabStops() const { return controls_.TabStops(); }
    // The gradient buttons, in the order they are made.
    std::vector<Command*> GradientButtons() const { return controls_.Made<Command>(); }

    // Event handlers the controls raise.
    void Img_BGM_MouseDown(int index, std::int16_t mouseButton);
    void lbl_BGM_MouseDown(int index, std::int16_t mouseButton);
    void Cmd_File_Click(int index);
    void Cmd_Set_Click();
    void Cmd_Can_Click();
    void lbl_URL_Click();

protected:
    DWORD Style() const override;
    // The window's size and every control, at the form's resolution, each
    // window that a screen reader cannot tell by its class given its role.
    void CreateControls() override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload() override;
    void LayOutAgain() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintContent(HDC dc) override;

private:
    void ListSource(int category);

    // The chosen source's mark, the control it enables (each control set
    // only when it changes), the focus cue while the sources hold the focus.
    void ShowChosenSource();
    // What loading fills in: the chosen source, the track box and its list,
    // the file's label.
    void FillControls();
    // The sources' tab stop: the cue on the chosen source's name, arrows.
    void ShowSourcesFocusCue(bool shown);
    void OnSourcesKey(UINT virtualKey);
    // Moves the dialog to where the placement rule puts it.
    void PlaceOnScreen();

    ControlLayer layer_;
    // Tab stops for what has no window: the three sources (one stop, like a
    // group of radio buttons) and the link.
    std::optional<KeyboardTarget> sourcesTabStop_;
    std::optional<KeyboardTarget> linkTabStop_;
    // Every control once.
    ControlList controls_;
    std::optional<StoredMusicFile> unreachableFile_;
};

// Every gradient button of the dialog initialised, or (initialize false) all
// enabled or disabled.
void SetupButtons(SettingsDialog& form, bool initialize, bool enable);

// Shows the settings dialog modally; returns once it has closed.
void ShowSettingsDialog(std::optional<StoredMusicFile> unreachableFile);
