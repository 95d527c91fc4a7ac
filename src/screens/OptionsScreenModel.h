#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "core/MatchState.h"
#include "settings/DisplaySettings.h"

namespace zel {

// One display driver as the graphics platform enumerates it.
struct DisplayDriver {
    std::string Description;  // the text the driver list shows
    std::string Identifier;   // what the 3D start-up is given to pick the driver
};

// The options screen "Korvalo II: Параметры" without a window: every control
// that holds a setting, with its enabled state, and the reactions that run
// when a value is set, whether by a click or by the program (the settings
// loader and FormLoad set several of these controls). The screen's widgets
// only display this model. The settings file loads into the size boxes, the
// largest-table box and the sound, border, elimination-message and post
// boxes, and saves from them.
//
// Check boxes hold 0 (clear), 1 (checked) or 2 (greyed); a setter refuses
// any other state with false. Option groups hold the selected button's
// index or -1 when none is selected.
class OptionsScreenModel {
public:
    OptionsScreenModel();

    // --- "Стол": table size ------------------------------------------------
    const std::string& SizeGText() const { return sizeGText_; }  // length box
    const std::string& SizeVText() const { return sizeVText_; }  // width box
    void SetSizeGText(std::string text) { sizeGText_ = std::move(text); }
    void SetSizeVText(std::string text) { sizeVText_ = std::move(text); }
    // The length and width boxes with their labels.
    bool SizeGroupEnabled() const { return sizeGroupEnabled_; }
    // "Использовать максимальное поле (1000x1000)". Checked disables the size
    // group and makes both pending sizes 1000; otherwise the group is enabled.
    std::int16_t MaxSizeBox() const { return maxSizeBox_; }
    bool SetMaxSizeBox(int state);
    // The sizes "Готово" will apply.
    std::int16_t PendingX() const { return pendingX_; }
    std::int16_t PendingY() const { return pendingY_; }

    // --- "Стол": friction, wall, posts -------------------------------------
    // opTr: 0 "малое" 0.01, 1 "стандартное" 0.02, 2 "большое" 0.03. No
    // immediate effect; "Готово" applies it.
    int FrictionChoice() const { return frictionChoice_; }
    bool SelectFriction(int index);
    // "Использовать стенку". Checked enables the position label, both
    // position buttons and the symmetry box; otherwise they are disabled.
    std::int16_t BorderBox() const { return borderBox_; }
    bool SetBorderBox(int state);
    bool BorderControlsEnabled() const { return borderControlsEnabled_; }
    // opBord: "позиция1" (0) or "позиция2" (1); selecting sets BordMode at once.
    int BorderPosition() const { return borderPosition_; }
    bool SelectBorderPosition(int index, MatchState& s);
    // The symmetric wall; setting it sets BordSimm at once (on only when checked).
    std::int16_t SimmBox() const { return simmBox_; }
    bool SetSimmBox(int state, MatchState& s);
    // "Включить пипу"; no immediate effect.
    std::int16_t PipaBox() const { return pipaBox_; }
    bool SetPipaBox(int state);
    // opPipa: selecting sets PipaMode at once.
    int PipaPosition() const { return pipaPosition_; }
    bool SelectPipaPosition(int index, MatchState& s);
    // The symmetric posts; setting it sets PipaSimm at once.
    std::int16_t PipaSimmBox() const { return pipaSimmBox_; }
    bool SetPipaSimmBox(int state, MatchState& s);

    // --- "Игра" and "Звук" --------------------------------------------------
    std::int16_t ShowSginBox() const { return showSginBox_; }  // "Включить дурацкие сообщения"
    bool SetShowSginBox(int state);
    std::int16_t SoundBox() const { return soundBox_; }        // "Включить звук"
    bool SetSoundBox(int state);

    // --- "Графика" ----------------------------------------------------------
    std::int16_t TexBox() const { return texBox_; }            // "Загрузить текстуры стола"
    bool SetTexBox(int state);
    std::int16_t UseRoomBox() const { return useRoomBox_; }    // "Загрузить комнату ..."
    bool SetUseRoomBox(int state);
    // The display driver list cmbVideo.
    const std::vector<DisplayDriver>& Drivers() const { return drivers_; }
    int DriverIndex() const { return driverIndex_; }
    // Selecting an entry makes DriverGuid that driver's identifier.
    bool SelectDriver(int index);
    // Replaces the list with the platform's drivers in their order and
    // selects the first. With none enumerated the list keeps the one entry
    // "Видеокарта по умолчанию", whose identifier is empty (the default).
    void FillDisplayDriverList(const std::vector<DisplayDriver>& drivers);
    // The 3D device list lstDevice: 0 software, 1 hardware. Selecting an
    // entry makes DeviceGuid the identifier of the device; the chosen
    // display stays as it is.
    int DeviceIndex() const { return deviceIndex_; }
    bool SelectDevice(int index);
    // The display mode box cmbGList: one of the offered modes, or typed.
    const std::string& ModeText() const { return modeText_; }
    void SetModeText(std::string text) { modeText_ = std::move(text); }

    // The identifiers handed to the 3D start-up.
    const std::string& DriverGuid() const { return driverGuid_; }
    const std::string& DeviceGuid() const { return deviceGuid_; }

    // --- the window -----------------------------------------------------
    const std::string& Title() const { return title_; }
    // The results screen opened this screen; "< Назад" returns there.
    bool OpenedFromResults() const { return openedFromResults_; }
    void SetOpenedFromResults(bool on) { openedFromResults_ = on; }

    // Refreshes the controls from the settings, as every opening does (and
    // start-up once the settings are read): size boxes, the wall box with
    // position and symmetry when the wall is on, the sound, post and
    // elimination-message boxes, the driver list, texture and room boxes,
    // the friction button of Ftr (none for another value), then the mode
    // text and the driver and device entries of DeviceNum and RenderNum (an
    // entry the lists do not have is skipped). The post position and
    // symmetry keep what the person last chose.
    void FormLoad(MatchState& s, const DisplaySettings& d,
                  const std::vector<DisplayDriver>& drivers);

    // "Готово": takes the device, display mode (kept when the text is not
    // three numbers), texture and room boxes, the chosen display's entry
    // (DeviceNum; DriverGuid stays its identifier), pending sizes and friction;
    // then refuses sizes outside 201..1000 or not numbers (unless the
    // largest-table box is checked) with "Введенные значения некорректны.
    // Повторите ввод." and returns false, the screen staying open with what
    // was taken so far kept; otherwise sets the table size, wall, messages,
    // sound and posts and returns true (the screen goes back).
    bool Apply(MatchState& s, DisplaySettings& d, Dialogs& dlg);

private:
    std::string sizeGText_;              // length box text
    std::string sizeVText_;              // width box text
    bool sizeGroupEnabled_ = true;       // the size boxes can be edited
    std::int16_t maxSizeBox_ = 0;        // largest-table box state
    std::int16_t pendingX_ = 0;          // length "Готово" will apply
    std::int16_t pendingY_ = 0;          // width "Готово" will apply
    int frictionChoice_ = -1;            // selected opTr, -1 none
    std::int16_t borderBox_ = 0;         // wall box state
    bool borderControlsEnabled_ = false; // position buttons and symmetry box usable
    int borderPosition_ = 0;             // selected opBord, -1 none
    std::int16_t simmBox_ = 0;           // symmetric wall box state
    std::int16_t pipaBox_ = 0;           // post box state
    int pipaPosition_ = 0;               // selected opPipa, -1 none
    std::int16_t pipaSimmBox_ = 0;       // symmetric posts box state
    std::int16_t showSginBox_ = 0;       // elimination-message box state
    std::int16_t soundBox_ = 0;          // sound box state
    std::int16_t texBox_ = 0;            // table texture box state
    std::int16_t useRoomBox_ = 0;        // room box state
    std::vector<DisplayDriver> drivers_; // the driver list's entries
    int driverIndex_ = 0;                // selected driver entry, -1 none
    int deviceIndex_ = -1;               // selected 3D device entry, -1 none
    std::string modeText_;               // the display mode box's text
    std::string driverGuid_;             // chosen driver, "" for the default one
    std::string deviceGuid_;             // chosen 3D device
    std::string title_;                  // the window title
    bool openedFromResults_ = false;     // "< Назад" goes to the results screen
};

}  // namespace zel
