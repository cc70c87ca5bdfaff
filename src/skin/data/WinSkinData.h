// TSkinData: the non-visual component a form carries to be skinned. It holds the skin stream,
// builds the in-memory skin from it (elements, colour table, caption buttons, derived images),
// publishes the skinning switches and registers with the global skin manager, which attaches the
// skinners. Every painter of the frame, menus and controls reads its images, margins, frame counts
// and colours from here.
//
// A load is built into a fresh set of elements and taken over only when it succeeded, so a
// damaged skin file or stream never leaves a half-built skin and never destroys a good one.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/SkinElements.h"
#include "skin/data/SkinRead.h"
#include "skin/data/SkinScheduler.h"
#include "skin/data/WinSkinIni.h"
#include "ui/Bitmaps.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"
#include "ui/ImgList.h"

namespace ui {
class TControl;
}

namespace skin {

// ---- Switches ---------------------------------------------------------------------------------

// Control kinds to skin; bit n of the 32-bit set.
enum TSkinControlType : int {
  xcMainMenu,
  xcPopupMenu,
  xcMenuItem,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcSpin,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab,
  xcTrackBar,
  xcSystemMenu,
  xcFastReport,
};
using TSkinControlTypes = uint32_t;

// Behaviour switches; bit n of the 16-bit set.
enum TSkinOption : int {
  xoMDIScrollbar,
  xoMenuMerge,
  xoTransparent,
  xoPreview,
  xoParentBackGround,
  xoNoFocusRect,
  xoToolbarBK,
  xoToolbarButton,
  xoMDIChildBorder,
  xoMenuBG,
  xoCaptionButtonHint,
  xoFormScrollbar,
};
using TSkinOptions = uint16_t;

enum class TSkinFormType : int { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

constexpr uint32_t SetBit(int member) { return 1u << member; }
constexpr bool InSet(uint32_t set, int member) { return (set & SetBit(member)) != 0; }

constexpr TSkinControlTypes kDefaultSkinControls =
    ((1u << (xcFastReport + 1)) - 1) & ~SetBit(xcMenuItem) & ~SetBit(xcFastReport);
constexpr TSkinOptions kDefaultOptions =
    SetBit(xoPreview) | SetBit(xoToolbarBK) | SetBit(xoCaptionButtonHint);

const ui::TEnumInfo& SkinControlTypeInfo();
const ui::TEnumInfo& SkinOptionInfo();
const ui::TEnumInfo& SkinFormTypeInfo();

// The class-name-to-skinner map the component starts with ("class=kind" lines, in creation order).
const std::vector<std::wstring>& DefaultSkin3rd();

// ---- Events -----------------------------------------------------------------------------------

class TSkinData;

// aName: the window's class name. The handler's DoSkin is final.
using TOnFormSkin = ui::TMethod<void(ui::TObject* Sender, const std::string& aName, bool& DoSkin)>;
// Lets the application supply a skinner object for a control.
using TOnSkinControl = ui::TMethod<void(
    ui::TObject* Sender, TSkinData* SkinData, ui::TComponent* Form, ui::TControl* Control,
    const std::string& ControlClass, ui::TObject*& SkinnedControl)>;
using TOnSkinForm = ui::TMethod<void(ui::TObject* Sender, HWND ahwnd, const std::string& aName)>;

// ---- The in-memory skin -----------------------------------------------------------------------

// Everything one load builds. The component takes it over as a whole.
struct TSkinContents {
  std::string SkinName;
  std::unique_ptr<TDataSkinBorder> Left, Right, Top, Bottom;
  std::unique_ptr<TDataSkinButton> Buttons;
  std::unique_ptr<TDataSkinTitle> Title;
  ColourTable Colours{};
  std::vector<Colour> ExtraColours;
  std::array<Colour, 10> CustomColors{};
  std::vector<std::unique_ptr<TDataSkinSysButton>> CaptionButtons;
  // The optional elements the skin has, in build order (MenuBar, Progress, ..., Track, TRACKVERT).
  std::vector<std::unique_ptr<TDataSkinObject>> Elements;
  // Null when this skin gives no new arrow image (the previous one stays).
  std::unique_ptr<TDataSkinObject> ComboxArrow;
  std::unique_ptr<TDataSkinObject> Toolbar;
  ui::GdiBrush ButtonFaceBrush;
  int TileLeftMenu = 1, TileRightMenu = 1;  // the menu bar's "TileLeftMenu"/"TileRightMenu"
};

// Where the time of the last load went, in milliseconds (for the benchmark).
struct TSkinLoadProfile {
  double decode = 0;   // skin stream to package
  double parse = 0;    // definition text and catalogue
  double images = 0;   // BMP entries to bitmaps
  double derived = 0;  // frame counts, combo images, toolbar, title colour, brush
  double total = 0;
};

// ---- The component ----------------------------------------------------------------------------

class TSkinData : public ui::TComponent {
  UI_CLASS(TSkinData, ui::TComponent)
 public:
  static constexpr std::wstring_view kVersion = L"5.40.07.15";

  explicit TSkinData(ui::TComponent* AOwner);
  ~TSkinData() override;

  // Published properties.
  bool Active() const { return active_; }
  void SetActive(bool value);
  int DisableTag() const { return disableTag_; }
  void SetDisableTag(int tag) { disableTag_ = tag; }
  TSkinControlTypes SkinControls() const { return skinControls_; }
  void SetSkinControls(TSkinControlTypes set) { skinControls_ = set; }
  TSkinOptions Options() const { return options_; }
  void SetOptions(TSkinOptions set) { options_ = set; }
  ui::TStrings* Skin3rd() const { return skin3rd_.get(); }
  void SetSkin3rd(ui::TStrings* list);
  const std::wstring& SkinFile() const { return skinFile_; }
  void SetSkinFile(const std::wstring& name);
  // Loads a skin file at run time; every skinned window takes it. False when the file is missing,
  // unreadable or not a valid skin: the current skin stays and LastError() says why.
  bool LoadSkinFile(const std::wstring& name);
  // The same for a skin stream held in memory (a .skn file's bytes).
  bool LoadSkinStream(std::span<const uint8_t> bytes);
  std::wstring SkinStore() const;
  void SetSkinStore(const std::wstring&) {}  // read-only indicator
  TSkinFormType SkinFormtype() const { return formType_; }
  void SetSkinFormtype(TSkinFormType type) { formType_ = type; }
  std::wstring Version() const { return std::wstring(kVersion); }
  void SetVersion(const std::wstring&) {}  // read-only
  bool MenuUpdate() const { return menuUpdate_; }
  void SetMenuUpdate(bool on) { menuUpdate_ = on; }
  bool MenuMerge() const { return menuMerge_; }
  void SetMenuMerge(bool on) { menuMerge_ = on; }

  TOnFormSkin OnFormSkin;
  ui::TNotifyEvent OnSkinChanged;
  TOnSkinControl OnSkinControl;
  TOnSkinForm OnBeforeSkinForm;
  TOnSkinForm OnAfterSkinForm;

  // The skin stream travels as the binary property "SkinStream": u32 byte count, then the bytes.
  void DefineProperties(ui::TFiler& filer) override;
  void ReadSkinStream(ui::TStream& stream);
  void WriteSkinStream(ui::TStream& stream);
  void Loaded() override;

  // Builds the skin from the skin stream. False (and the previous skin kept) when the stream is
  // of an unknown version (the older-file message was reported), damaged, or names an image that
  // is not a valid bitmap; LastError() says why.
  bool LoadSkin();
  // Builds every element from a definition, reading images from the package being loaded. Throws
  // for an image entry that cannot be decoded; nothing changes then.
  void ApplyDefinition(const TQuickIni& ini);
  // Fills `bitmap` from the package being loaded: the entry the image reference names (last path
  // component, ".bmp" only, any letter case). Empty when there is no such entry or no load runs.
  void LoadSkinBitmap(ui::TBitmap* bitmap, std::string_view reference);
  // The manager's question before a top-level window is skinned.
  void FormSkinQuery(HWND window, const std::string& className, bool& DoSkin);
  // After a run-time load: the windows skinned with this component take the new skin.
  void SkinChanged();

  // Shows the older-file message; the default opens a message box. Tests replace it.
  std::function<void(std::string_view message)> MessageReporter;

  // ---- The skin, for the painters ----
  bool NoSkin() const { return noSkin_; }
  const std::string& SkinName() const { return skinName_; }
  ui::TMemoryStream& SkinStream() { return stream_; }
  const std::string& LastError() const { return lastError_; }
  const TSkinLoadProfile& LastLoadProfile() const { return profile_; }

  TDataSkinButton* Buttons() const { return buttons_.get(); }
  TDataSkinTitle* Title() const { return title_.get(); }
  TDataSkinBorder* Left() const { return left_.get(); }
  TDataSkinBorder* Right() const { return right_.get(); }
  TDataSkinBorder* Top() const { return top_.get(); }
  TDataSkinBorder* Bottom() const { return bottom_.get(); }
  // Null until a skin has loaded; the arrow's image may be empty (a skin without ComboButton).
  TDataSkinObject* ComboxArrow() const { return comboxArrow_.get(); }
  TDataSkinObject* Toolbar() const { return toolbar_.get(); }
  // Any element by name, letter case ignored ("Track" finds the built-in "TRACK"); null when the
  // skin has none.
  TDataSkinObject* FindElement(std::string_view name) const;
  template <class T>
  T* Element(std::string_view name) const {
    TDataSkinObject* e = FindElement(name);
    return e && e->Is<T>() ? static_cast<T*>(e) : nullptr;
  }
  const std::vector<std::unique_ptr<TDataSkinObject>>& Elements() const { return elements_; }
  const std::vector<std::unique_ptr<TDataSkinSysButton>>& CaptionButtons() const {
    return captionButtons_;
  }

  // Colour table entry (may name a system colour) and whether the skin gave it.
  Colour GetColour(int index) const;
  bool ColourGiven(int index) const;
  // The entry as plain RGB.
  Colour GetRGB(int index) const;
  const ColourTable& Colours() const { return colours_; }
  const std::vector<Colour>& ExtraColours() const { return extraColours_; }
  const std::array<Colour, 10>& CustomColors() const { return customColors_; }
  int TileLeftMenu() const { return tileLeftMenu_; }
  int TileRightMenu() const { return tileRightMenu_; }

  HBRUSH ButtonFaceBrush() const { return buttonFaceBrush_.get(); }
  ui::TFont* CaptionFont() const { return captionFont_.get(); }  // null before Loaded
  ui::TImageList* MenuGlyphs() const { return menuGlyphs_.get(); }
  // The application's small icon on magenta (its transparent colour); empty without an icon.
  ui::TBitmap* AppIconBitmap() const { return appIcon_.get(); }
  SIZE MaximizedSize() const { return maximized_; }
  HWND LastQueriedWindow() const { return lastQueried_; }
  // The form skinners paint the non-client frame only while this is set.
  bool PaintFrame = true;

 private:
  class LoadSession;
  bool LoadSkinFrom(std::span<const uint8_t> stream);
  bool LoadPackageAndApply(std::span<const uint8_t> stream);
  void Adopt(TSkinContents& fresh);
  void LoadMenuGlyphs();
  void MakeCaptionFont();
  void MakeAppIconBitmap();
  ISkinScheduler* Scheduler() const;

  // Switches.
  bool active_ = false;
  int disableTag_ = 99;
  TSkinControlTypes skinControls_ = kDefaultSkinControls;
  TSkinOptions options_ = kDefaultOptions;
  std::unique_ptr<ui::TStringList> skin3rd_;
  std::wstring skinFile_;
  TSkinFormType formType_ = TSkinFormType::sfMainform;
  bool menuUpdate_ = true;
  bool menuMerge_ = false;

  // The skin.
  ui::TMemoryStream stream_;
  bool noSkin_ = true;
  std::string skinName_;
  std::unique_ptr<TDataSkinBorder> left_, right_, top_, bottom_;
  std::unique_ptr<TDataSkinButton> buttons_;
  std::unique_ptr<TDataSkinTitle> title_;
  ColourTable colours_{};
  std::vector<Colour> extraColours_;
  std::array<Colour, 10> customColors_{};
  std::vector<std::unique_ptr<TDataSkinSysButton>> captionButtons_;
  std::vector<std::unique_ptr<TDataSkinObject>> elements_;
  std::unique_ptr<TDataSkinObject> comboxArrow_, toolbar_;
  int tileLeftMenu_ = 1, tileRightMenu_ = 1;
  ui::GdiBrush buttonFaceBrush_;

  std::unique_ptr<ui::TFont> captionFont_;
  std::unique_ptr<ui::TImageList> menuGlyphs_;
  std::unique_ptr<ui::TBitmap> appIcon_;
  SIZE maximized_{};
  HWND lastQueried_ = nullptr;

  LoadSession* session_ = nullptr;  // while a load runs: the package being read
  std::string lastError_;
  TSkinLoadProfile profile_;
  bool registered_ = false;
};

// Builds the elements of a skin from a definition whose images are already decoded (the frame
// counts included), then the images and colours derived from them. A device object that cannot
// be made leaves its element empty.
TSkinContents BuildSkinElements(const SkinDefinition& def);
void DeriveSkinImages(const SkinDefinition& def, TSkinContents& skin);

// Thrown (and caught by LoadSkin) when a package entry the definition names is not a valid image.
class ESkinImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The old-skin message box of the program (the default MessageReporter).
void ShowSkinMessage(std::string_view message);

}  // namespace skin
