// TSkinData as a component: its published switches and their defaults, the skin stream property,
// the lifecycle with the skin manager (Loaded, Active, SkinFile, SkinChanged, destruction) and the
// objects it makes for the painters besides the skin (caption font, menu glyphs, icon bitmap).
// Building the skin itself is in WinSkinDataLoad.cpp.
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <cstring>

#include "skin/data/ImgUtilGdi.h"
#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/Text.h"
#include "ui/TypInfo.h"

namespace skin {

// ---- The manager's provider -------------------------------------------------------------------

namespace {
ISkinSchedulerProvider* g_provider = nullptr;
}  // namespace

void SetSkinSchedulerProvider(ISkinSchedulerProvider* provider) { g_provider = provider; }
ISkinSchedulerProvider* SkinSchedulerProvider() { return g_provider; }

// ---- Enumerations -----------------------------------------------------------------------------

const ui::TEnumInfo& SkinControlTypeInfo() {
  static const ui::TEnumInfo info{
      "TSkinControlTypes",
      {"xcMainMenu", "xcPopupMenu",   "xcMenuItem",   "xcToolbar",   "xcControlbar", "xcCombo",
       "xcCheckBox", "xcRadioButton", "xcProgress",   "xcScrollbar", "xcEdit",       "xcButton",
       "xcBitBtn",   "xcSpeedButton", "xcSpin",       "xcPanel",     "xcGroupBox",   "xcStatusBar",
       "xcTab",      "xcTrackBar",    "xcSystemMenu", "xcFastReport"}};
  return info;
}

const ui::TEnumInfo& SkinOptionInfo() {
  static const ui::TEnumInfo info{
      "TSkinOptions",
      {"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround",
       "xoNoFocusRect", "xoToolbarBK", "xoToolbarButton", "xoMDIChildBorder", "xoMenuBG",
       "xoCaptionButtonHint", "xoFormScrollbar"}};
  return info;
}

const ui::TEnumInfo& SkinFormTypeInfo() {
  static const ui::TEnumInfo info{"TSkinFormType",
                                  {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}};
  return info;
}

// Lookups take the first entry of a class (letter case ignored), so the order is part of the
// behaviour: TLMDGroupBox (entry 48) is a group box although TLMDGROUPBOX=panel (entry 55) follows.
const std::vector<std::wstring>& DefaultSkin3rd() {
  static const std::vector<std::wstring> entries = {
      // 1-10
      L"TCategoryButtons=scrollbar",
      L"TVirtualStringTree=scrollbar",
      L"TVirtualDrawTree=scrollbar",
      L"TAdvPanelGroup=scrollbar",
      L"THTMLViewer=scrollbar",
      L"TDBCtrlGrid=scrollbar",
      L"TImageEnMView=scrollbar",
      L"TImageEnView=scrollbar",
      L"TAdvMemo=scrollbar",
      L"TDBAdvMemo=scrollbar",
      // 11-36
      L"TRzButtonEdit=Edit",
      L"TLMDCalculatorEdit=Edit",
      L"TLMDEDIT=edit",
      L"TLMDMASKEDIT=edit",
      L"TLMDBROWSEEDIT=edit",
      L"TLMDEXTSPINEDIT=edit",
      L"TLMDCALENDAREDIT=edit",
      L"TLMDFILEOPENEDIT=edit",
      L"TLMDFILESAVEEDIT=edit",
      L"TLMDCOLOREDIT=edit",
      L"TLMDDBEDIT=edit",
      L"TLMDDBMASKEDIT=edit",
      L"TLMDDBEXTSPINEDIT=edit",
      L"TLMDDBSPINEDIT=edit",
      L"TLMDDBEDITDBLookup=edit",
      L"TLMDEDITDBLookup=edit",
      L"TWWDBEDIT=edit",
      L"TOVCPICTUREFIELD=edit",
      L"TOVCDBPICTUREFIELD=edit",
      L"TOVCSLIDEREDIT=edit",
      L"TOVCDBSLIDEREDIT=edit",
      L"TOVCSIMPLEFIELD=edit",
      L"TOVCDBSIMPLEFIELD=edit",
      L"TO32DBFLEXEDIT=edit",
      L"TOVCNUMERICFIELD=edit",
      L"TOVCDBNUMERICFIELD=edit",
      // 37-43
      L"TRzRadioGroup=Radiogroup",
      L"TRzDBRadioGroup=Radiogroup",
      L"TLMDRADIOGROUP=radiogroup",
      L"TLMDDBRADIOGROUP=radiogroup",
      L"TWWRADIOGROUP=radiogroup",
      L"TcxDBRadioGroup=radiogroup",
      L"TcxRadioGroup=radiogroup",
      // 44-47
      L"TDBCheckboxEh=Checkbox",
      L"TDBCheckboxEh=Checkbox",
      L"TLMDCHECKBOX=Checkbox",
      L"TLMDDBCHECKBOX=Checkbox",
      // 48
      L"TLMDGroupBox=Groupbox",
      // 49-63
      L"TTBXDockablePanel=Panel",
      L"TControlBar=Panel",
      L"TTBDock=Panel",
      L"TTBToolbar=Panel",
      L"TRzGroup=Panel",
      L"TLMDCalculator=panel",
      L"TLMDGROUPBOX=panel",
      L"TLMDSIMPLEPANEL=panel",
      L"TLMDDBCalendar=panel",
      L"TLMDButtonPanel=panel",
      L"TLMDLMDCalculator=panel",
      L"TLMDHeaderPanel=panel",
      L"TLMDTechnicalLine=panel",
      L"TLMDLMDClock=panel",
      L"TLMDTrackbar=panel",
      // 64
      L"TcxGroupbox=groupbox",
      // 65-103
      L"TComboboxex=combobox",
      L"TcxDBLookupComboBox=combobox",
      L"TcxDBComboBox=combobox",
      L"TcxDBDateEdit=combobox",
      L"TcxDBImageComboBox=combobox",
      L"TcxDBCalcEdit=combobox",
      L"TcxDBBlobEdit=combobox",
      L"TcxDBPopupEdit=combobox",
      L"TcxDBFontNameComboBox=combobox",
      L"TcxDBShellComboBox=combobox",
      L"TRxLookupEdit=combobox",
      L"TRxDBLookupCombo=combobox",
      L"TRzDateTimeEdit=combobox",
      L"TRzColorEdit=combobox",
      L"TRzDateTimePicker=combobox",
      L"TRzDBDateTimeEdit=combobox",
      L"TRzDbColorEdit=combobox",
      L"TRzDBDateTimePicker=combobox",
      L"TLMDListCombobox=Combobox",
      L"TLMDCheckListCombobox=Combobox",
      L"TLMDHeaderListCombobox=Combobox",
      L"TLMDImageCombobox=Combobox",
      L"TLMDColorCombobox=Combobox",
      L"TLMDFontCombobox=Combobox",
      L"TLMDFontSizeCombobox=Combobox",
      L"TLMDFontSizeCombobox=Combobox",
      L"TLMDPrinterCombobox=Combobox",
      L"TLMDDriveCombobox=Combobox",
      L"TLMDCalculatorComboBox=Combobox",
      L"TLMDTrackBarComboBox=Combobox",
      L"TLMDCalendarComboBox=Combobox",
      L"TLMDTreeComboBox=Combobox",
      L"TDBLookupCombobox=combobox",
      L"TWWDBCombobox=combobox",
      L"TWWDBCombobox=combobox",
      L"TWWDBLookupCombo=combobox",
      L"TWWKeyCombo=combobox",
      L"TWWTempKeyCombo=combobox",
      L"TWWDBDateTimePicker=combobox",
      // 104-118
      L"TPngSpeedbutton=pngspeedbutton",
      L"TPngBitBtn=pngbitbtn",
      L"TRzButton=button",
      L"TRzMenuButton=menubtn",
      L"TRxSpeedButton=speedbutton",
      L"TfrSpeedButton=speedbutton",
      L"TfrTBButton=speedbutton",
      L"TRzBitbtn=bitbtn",
      L"TLMDButton=bitbtn",
      L"TcxButton=bitbtn",
      L"TRzCheckGroup=CheckGroup",
      L"TLMDCheckGroup=CheckGroup",
      L"TLMDDBCheckGroup=CheckGroup",
      L"TRzDBRadioButton=Radiobutton",
      L"TLMDRadiobutton=Radiobutton",
  };
  return entries;
}

// ---- Construction and destruction -------------------------------------------------------------

// No property declares a default, so every ordinal and set property is always written.
UI_IMPLEMENT_CLASS(TSkinData, ui::TComponent,
                   P::Bool("Active", &TSkinData::Active, &TSkinData::SetActive),
                   P::Int("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag),
                   P::Set("SkinControls", SkinControlTypeInfo(), &TSkinData::SkinControls,
                          &TSkinData::SetSkinControls),
                   P::Set("Options", SkinOptionInfo(), &TSkinData::Options, &TSkinData::SetOptions),
                   P::Obj<ui::TStrings>("Skin3rd", &TSkinData::Skin3rd, &TSkinData::SetSkin3rd),
                   P::Str("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile),
                   P::Str("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore),
                   P::Enum("SkinFormtype", SkinFormTypeInfo(), &TSkinData::SkinFormtype,
                           &TSkinData::SetSkinFormtype),
                   P::Str("Version", &TSkinData::Version, &TSkinData::SetVersion),
                   P::Bool("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate),
                   P::Bool("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge))

void ShowSkinMessage(std::string_view message) {
  const std::wstring text(message.begin(), message.end());  // the message is ASCII
  const std::wstring caption = ui::Application ? ui::Application->Title() : std::wstring();
  MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

TSkinData::TSkinData(ui::TComponent* AOwner)
    : ui::TComponent(AOwner),
      MessageReporter(ShowSkinMessage),
      skin3rd_(std::make_unique<ui::TStringList>()),
      left_(std::make_unique<TDataSkinBorder>("Left")),
      right_(std::make_unique<TDataSkinBorder>("Right")),
      top_(std::make_unique<TDataSkinBorder>("Top")),
      bottom_(std::make_unique<TDataSkinBorder>("Bottom")),
      buttons_(std::make_unique<TDataSkinButton>("Buttons")),
      title_(std::make_unique<TDataSkinTitle>("Title")),
      appIcon_(std::make_unique<ui::TBitmap>()) {
  skin3rd_->AddStrings(DefaultSkin3rd());
  maximized_ = {GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
  LoadMenuGlyphs();
}

TSkinData::~TSkinData() {
  if (registered_) {
    if (ISkinScheduler* manager = Scheduler()) manager->RemoveSkinData(this);
  }
}

ISkinScheduler* TSkinData::Scheduler() const {
  return g_provider ? g_provider->Existing() : nullptr;
}

// A 64 x 16 strip of four monochrome glyphs (restore, maximize, minimize, close), white where
// transparent. A module without the resource gets an empty list.
void TSkinData::LoadMenuGlyphs() {
  menuGlyphs_ = std::make_unique<ui::TImageList>(nullptr, 16, 16);
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (!FindResourceW(module, L"SKINMENUGLYPHS", MAKEINTRESOURCEW(2) /* RT_BITMAP */)) return;
  try {
    ui::TBitmap strip;
    strip.LoadFromResourceName(module, L"SKINMENUGLYPHS");
    menuGlyphs_->AddMasked(&strip, ui::clWhite);
  } catch (const std::exception&) {
    menuGlyphs_->Clear();
  }
}

// ---- Properties -------------------------------------------------------------------------------

void TSkinData::SetSkin3rd(ui::TStrings* list) {
  if (list) skin3rd_->Assign(*list);
}

std::wstring TSkinData::SkinStore() const {
  if (HasState(ui::csDesigning) && stream_.Bytes().size() > 0) return L"(Good)";
  return L"(none)";
}

void TSkinData::SetActive(bool value) {
  if (value == active_) return;
  if (HasState(ui::csDesigning) || HasState(ui::csReading) || HasState(ui::csLoading)) {
    active_ = value;
    return;
  }
  ISkinScheduler* manager = Scheduler();
  const int action = value ? ISkinScheduler::kActivate : ISkinScheduler::kDeactivate;
  switch (formType_) {
    case TSkinFormType::sfOnlyThisForm:
      if (manager) manager->SetCurrentSkinData(this);
      if (value && noSkin_) return;  // nothing to show
      active_ = value;
      if (manager) manager->Schedule(action, ISkinScheduler::kActionDelayMs);
      return;
    case TSkinFormType::sfDialog:
    case TSkinFormType::sfDLL:
      active_ = value;
      return;
    case TSkinFormType::sfMainform:
      if (value && noSkin_) return;
      active_ = value;
      if (!manager) return;
      manager->SetCurrentSkinData(this);
      manager->Schedule(action, ISkinScheduler::kActionDelayMs);
      if (value) manager->SetRunning();
      return;
  }
}

// A file that cannot be read or holds no valid skin leaves the current skin (and its stream) as
// it was: the component only takes what loaded completely.
void TSkinData::SetSkinFile(const std::wstring& name) {
  skinFile_ = name;
  if (HasState(ui::csDesigning)) {
    if (!name.empty()) stream_.Clear();  // the file replaces the embedded skin
    return;
  }
  if (!name.empty()) LoadSkinFile(name);
}

bool TSkinData::LoadSkinFile(const std::wstring& name) {
  const std::string printable = ui::Utf16ToUtf8(std::u16string(name.begin(), name.end()));
  if (name.empty() || !ui::FileExists(name)) {
    lastError_ = "skin file not found: " + printable;
    return false;
  }
  ui::TMemoryStream file;
  try {
    file.LoadFromFile(name);
  } catch (const std::exception& e) {
    lastError_ = printable + ": " + e.what();
    return false;
  }
  if (!LoadSkinStream(file.Bytes())) {
    lastError_ = printable + ": " + lastError_;
    return false;
  }
  return true;
}

bool TSkinData::LoadSkinStream(std::span<const uint8_t> bytes) {
  if (!LoadSkinFrom(bytes)) return false;
  const std::vector<uint8_t> kept(bytes.begin(), bytes.end());  // `bytes` may be our own stream
  stream_.Clear();
  if (!kept.empty()) stream_.WriteBuffer(kept.data(), static_cast<int64_t>(kept.size()));
  stream_.SetPosition(0);
  SkinChanged();
  return true;
}

void TSkinData::DefineProperties(ui::TFiler& filer) {
  filer.DefineBinaryProperty(
      "SkinStream", [this](ui::TStream& s) { ReadSkinStream(s); },
      [this](ui::TStream& s) { WriteSkinStream(s); }, stream_.Bytes().size() > 0);
}

void TSkinData::ReadSkinStream(ui::TStream& stream) {
  int32_t count = 0;
  stream.ReadBuffer(&count, sizeof count);
  if (count <= 0) return;
  // A damaged form may announce more than it holds; take what is there and let the load judge.
  const int64_t available = std::max<int64_t>(stream.Size() - stream.Position(), 0);
  const int64_t size = std::min<int64_t>(count, available);
  stream_.Clear();
  stream_.SetSize(size);
  if (size > 0) stream.ReadBuffer(stream_.Memory(), size);
  stream_.SetPosition(0);
  if (!HasState(ui::csDesigning)) LoadSkin();
}

void TSkinData::WriteSkinStream(ui::TStream& stream) {
  const auto size = static_cast<uint32_t>(stream_.Bytes().size());
  stream.WriteBuffer(&size, sizeof size);
  if (size > 0) stream.WriteBuffer(stream_.Memory(), size);
}

// ---- Lifecycle --------------------------------------------------------------------------------

namespace {

// Looked up once: without it no scroll bar can be skinned.
bool PlatformHasGetScrollBarInfo() {
  static const bool present = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 && GetProcAddress(user32, "GetScrollBarInfo") != nullptr;
  }();
  return present;
}

}  // namespace

void TSkinData::Loaded() {
  inherited::Loaded();
  if (HasState(ui::csDesigning)) return;
  if (!PlatformHasGetScrollBarInfo()) skinControls_ &= ~SetBit(xcScrollbar);

  ISkinScheduler* manager = g_provider ? g_provider->Ensure() : nullptr;
  if (manager && !registered_) {
    manager->AddSkinData(this);
    registered_ = true;
  }
  MakeCaptionFont();

  if (formType_ != TSkinFormType::sfMainform) {
    if (!manager) return;
    manager->EnableForSkin();
    if (active_ && Owner() && Owner()->Is<ui::TCustomForm>())
      manager->SkinFormIfVisible(static_cast<ui::TCustomForm*>(Owner()));
    return;
  }

  if (manager) manager->InstallHook();
  if (active_) {
    if (noSkin_) {
      active_ = false;
    } else if (manager) {
      // The activation is for this skin (a manager already running runs it on its timer).
      manager->SetCurrentSkinData(this);
      manager->Schedule(ISkinScheduler::kActivate, ISkinScheduler::kActionDelayMs);
    }
  }
  // The system menu is drawn by the main menu's skinner; menu items are its business too.
  if (!InSet(skinControls_, xcMainMenu))
    skinControls_ &= ~SetBit(xcSystemMenu);
  else
    skinControls_ &= ~SetBit(xcMenuItem);
  MakeAppIconBitmap();
}

void TSkinData::SkinChanged() {
  // While the form is read, Loaded follows and registers the skin anyway.
  if (HasState(ui::csLoading)) return;
  if (!Scheduler()) Loaded();
  ISkinScheduler* manager = Scheduler();
  if (!manager) return;
  manager->SetCurrentSkinData(this);
  manager->RefreshForms(this);
  if (manager->Running())
    manager->Schedule(ISkinScheduler::kReskin, ISkinScheduler::kActionDelayMs);
}

void TSkinData::FormSkinQuery(HWND window, const std::string& className, bool& DoSkin) {
  lastQueried_ = window;
  if (OnFormSkin) {
    OnFormSkin(this, className, DoSkin);
    return;
  }
  // The month calendar draws itself completely; report previews are someone else's windows.
  if (className == "SysMonthCal32" ||
      (InSet(skinControls_, xcFastReport) && className.rfind("Tfr", 0) == 0))
    DoSkin = false;
}

void TSkinData::MakeCaptionFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  auto font = std::make_unique<ui::TFont>();
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    font->SetLogFont(metrics.lfCaptionFont);
  captionFont_ = std::move(font);
}

// The application's small icon at the system's small-icon size on magenta.
void TSkinData::MakeAppIconBitmap() {
  appIcon_ = std::make_unique<ui::TBitmap>();
  if (!ui::Application) return;
  HWND app = ui::Application->Handle();
  if (!app) return;
  auto icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
  if (!icon) return;
  const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  ui::IconHandle copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
  PixelBuffer background(cx, cy, 24, kMagenta);
  AssignPixels(*appIcon_, background);
  {
    ui::MemoryDC dc = ui::MakeMemoryDC();
    ui::SelectGuard select(dc.get(), appIcon_->Handle());
    DrawIconEx(dc.get(), 0, 0, copy ? copy.get() : icon, cx, cy, 0, nullptr, DI_NORMAL);
  }
  appIcon_->SetTransparentColor(ui::clFuchsia);
  appIcon_->SetTransparent(true);
}

// ---- Colours and elements ---------------------------------------------------------------------

Colour TSkinData::GetColour(int index) const {
  if (index < 0 || index >= kColourTableSize) return 0;
  return colours_[index].colour;
}

bool TSkinData::ColourGiven(int index) const {
  return index >= 0 && index < kColourTableSize && colours_[index].given;
}

Colour TSkinData::GetRGB(int index) const { return ColorToRGB(GetColour(index)); }

TDataSkinObject* TSkinData::FindElement(std::string_view name) const {
  for (TDataSkinObject* e :
       {static_cast<TDataSkinObject*>(buttons_.get()), static_cast<TDataSkinObject*>(title_.get()),
        static_cast<TDataSkinObject*>(left_.get()), static_cast<TDataSkinObject*>(right_.get()),
        static_cast<TDataSkinObject*>(top_.get()), static_cast<TDataSkinObject*>(bottom_.get())})
    if (ui::EqualsNoCase(e->Name, name)) return e;
  for (const auto& e : elements_)
    if (ui::EqualsNoCase(e->Name, name)) return e.get();
  for (TDataSkinObject* e : {comboxArrow_.get(), toolbar_.get()})
    if (e && ui::EqualsNoCase(e->Name, name)) return e;
  return nullptr;
}

}  // namespace skin
