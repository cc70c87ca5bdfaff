// Building the in-memory skin: the skin stream is decoded, its definition read with every image
// it names, the elements built in the order later steps depend on (frame counts before the combo
// composition, the sampled title colour before the toolbar gradient), and the result taken over by
// the component only when all of it succeeded.
#include <algorithm>
#include <utility>

#include "imaging/BmpDecode.h"
#include "skin/data/ImgUtilGdi.h"
#include "skin/data/ScaledArt.h"
#include "skin/data/SkinDerived.h"
#include "skin/data/WinSkinData.h"
#include "ui/Text.h"

namespace skin {

namespace {

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceCounter(&start_); }
  double Ms() const {
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
           static_cast<double>(freq.QuadPart);
  }

 private:
  LARGE_INTEGER start_;
};

// ---- Elements from their definitions ---------------------------------------------------------

std::unique_ptr<TDataSkinObject> NewElement(ElementKind kind, const std::string& name) {
  switch (kind) {
    case ElementKind::kBorder:
      return std::make_unique<TDataSkinBorder>(name);
    case ElementKind::kTitle:
      return std::make_unique<TDataSkinTitle>(name);
    case ElementKind::kButton:
      return std::make_unique<TDataSkinButton>(name);
    case ElementKind::kSysButton:
      return std::make_unique<TDataSkinSysButton>(name);
    case ElementKind::kBoxLabel:
      return std::make_unique<TDataSkinBoxLabel>(name);
    case ElementKind::kObject:
      break;
  }
  return std::make_unique<TDataSkinObject>(name);
}

// The base fields, the images and the class's own fields; the frame count is the caller's rule.
void Fill(TDataSkinObject& e, const ElementDef& d, Colour buttonText) {
  e.Margins = {d.LeftWidth, d.TopHeight, d.RightWidth, d.BottomHeight};
  AssignPixels(*e.Bitmap, d.Bitmap);
  e.Trans = d.Trans;
  e.Tile = d.Tile;
  e.Frame = d.Frame;
  e.Style = d.Style;
  e.NormalColour = d.NormalColour;
  e.MouseOverColour = d.MouseOverColour;
  e.PressedColour = d.PressedColour;
  // Elements whose section has no text colour keys still answer with the skin's button text.
  e.NormalColour2 = d.NormalColour2Given ? d.NormalColour2 : buttonText;
  e.MouseOverColour2 = d.MouseOverColour2Given ? d.MouseOverColour2 : buttonText;
  e.PressedColour2 = d.PressedColour2Given ? d.PressedColour2 : buttonText;
  if (auto* b = dynamic_cast<TDataSkinBorder*>(&e)) AssignPixels(*b->Bitmap2, d.Bitmap2);
  if (auto* g = dynamic_cast<TDataSkinBoxLabel*>(&e)) {
    g->BackgroundAlignment = d.BackgroundAlignment;
    g->BackgroundLeftShift = d.BackgroundLeftShift;
    g->BackgroundRightShift = d.BackgroundRightShift;
  }
}

std::unique_ptr<TDataSkinBorder> MakeBorder(const ElementDef& d, Colour buttonText) {
  auto e = std::make_unique<TDataSkinBorder>(d.Name);
  Fill(*e, d, buttonText);
  return e;
}

std::unique_ptr<TDataSkinButton> MakeButtons(const ButtonsDef& d, Colour buttonText) {
  auto e = std::make_unique<TDataSkinButton>("Buttons");
  Fill(*e, d, buttonText);
  e->Frame = FrameCountAfterLoad("Buttons", d.Frame, d.Style);
  AssignPixels(*e->CheckButton, d.CheckButton);
  AssignPixels(*e->RadioButton, d.RadioButton);
  e->CheckButtonFrame =
      GlyphFrameCount(d.CheckButtonFrame, d.CheckButton.width(), d.CheckButton.height());
  e->RadioButtonFrame =
      GlyphFrameCount(d.RadioButtonFrame, d.RadioButton.width(), d.RadioButton.height());
  e->NormalColour2Given = d.NormalColour2Given;
  e->MouseOverColour2Given = d.MouseOverColour2Given;
  e->PressedColour2Given = d.PressedColour2Given;
  return e;
}

std::unique_ptr<TDataSkinTitle> MakeTitle(const TitleDef& d, Colour buttonText) {
  auto e = std::make_unique<TDataSkinTitle>("Title");
  Fill(*e, d, buttonText);
  e->Frame = FrameCountAfterLoad("Title", d.Frame, d.Style);
  e->TextAlignment = d.TextAlignment;
  e->Textbackground = d.Textbackground;
  e->FontHeight = d.FontHeight;
  e->TXTBackleft = d.TXTBackleft;
  e->TXTBackRight = d.TXTBackRight;
  e->ActiveText = d.ActiveText;
  e->InActiveText = d.InActiveText;
  return e;
}

std::unique_ptr<TDataSkinSysButton> MakeCaptionButton(const CaptionButtonDef& d,
                                                      Colour buttonText) {
  auto e = std::make_unique<TDataSkinSysButton>(d.Name);
  Fill(*e, d, buttonText);
  e->Action = d.Action;
  e->Align = d.Align;
  e->XCoord = d.XCoord;
  e->YCoord = d.YCoord;
  e->CombineOp = d.CombineOp;
  e->Visibility = d.Visibility;
  e->Visibility1 = d.Visibility1;
  return e;
}

std::unique_ptr<TDataSkinObject> MakeOptional(const ElementDef& d, Colour buttonText,
                                              const SkinDefinition& def) {
  std::unique_ptr<TDataSkinObject> e = NewElement(d.Kind, d.Name);
  Fill(*e, d, buttonText);
  int frameKey = d.Frame;
  if (d.Name == "HorzScrollThumb") frameKey = def.HorzScrollThumbFrameCount;
  if (d.Name == "VertScrollThumb") frameKey = def.VertScrollThumbFrameCount;
  e->Frame = FrameCountAfterLoad(d.Name, frameKey, d.Style);
  // Right-to-left combos draw the button from its mirror image, mirrored frame by frame so that
  // a frame number means the same state in both images.
  if (d.Name == "ComboButton" && !d.Bitmap.empty())
    AssignPixels(*static_cast<TDataSkinBorder&>(*e).Bitmap2,
                 MirroredFrames(ConvertTo24(d.Bitmap), e->Frame));
  return e;
}

// The track-bar channel of a skin that has none: the program's bitmap resource when it carries
// one, otherwise the same groove drawn here.
std::unique_ptr<TDataSkinObject> BuiltInTrack(const char* name, bool vertical) {
  auto e = std::make_unique<TDataSkinObject>(name);
  HINSTANCE module = GetModuleHandleW(nullptr);
  const std::wstring resource(name, name + std::char_traits<char>::length(name));
  bool loaded = false;
  if (FindResourceW(module, resource.c_str(), MAKEINTRESOURCEW(2) /* RT_BITMAP */)) {
    try {
      e->Bitmap->LoadFromResourceName(module, resource);
      loaded = !e->Bitmap->Empty();
    } catch (const std::exception&) {
    }
  }
  if (!loaded) AssignPixels(*e->Bitmap, BuiltInTrackImage(vertical));
  e->Margins = {3, 3, 3, 3};
  e->Tile = 0;
  e->Frame = 1;
  return e;
}

TDataSkinObject* Find(TSkinContents& skin, std::string_view name) {
  for (auto& e : skin.Elements)
    if (e->Name == name) return e.get();
  return nullptr;
}

FrameSource SourceOf(const ElementDef* d, int frames, bool transparent) {
  FrameSource s;
  if (!d) return s;
  s.image = &d->Bitmap;
  s.frames = frames;
  s.left = d->LeftWidth;
  s.top = d->TopHeight;
  s.right = d->RightWidth;
  s.bottom = d->BottomHeight;
  s.transparent = transparent;
  return s;
}

}  // namespace

// ---- The skin from a definition --------------------------------------------------------------

TSkinContents BuildSkinElements(const SkinDefinition& def) {
  TSkinContents skin;
  const Colour buttonText = def.Colours[ciButtonText].colour;
  skin.SkinName = def.SkinName;
  skin.Left = MakeBorder(def.Left, buttonText);
  skin.Right = MakeBorder(def.Right, buttonText);
  skin.Top = MakeBorder(def.Top, buttonText);
  skin.Bottom = MakeBorder(def.Bottom, buttonText);

  skin.Colours = def.Colours;
  skin.ExtraColours = def.ExtraColours;
  skin.CustomColors = def.CustomColors;
  for (const CaptionButtonDef& b : def.CaptionButtons)
    skin.CaptionButtons.push_back(MakeCaptionButton(b, buttonText));

  skin.Buttons = MakeButtons(def.Buttons, buttonText);
  skin.Title = MakeTitle(def.Title, buttonText);

  // Optional elements in build order: Progress, Progress.Chunk, MenuBar, then the rest.
  if (def.Progress) skin.Elements.push_back(MakeOptional(*def.Progress, buttonText, def));
  bool menuBarPlaced = false;
  auto placeMenuBar = [&] {
    menuBarPlaced = true;
    if (!def.MenuBar) return;
    auto bar = std::make_unique<TDataSkinObject>("MenuBar");
    Fill(*bar, *def.MenuBar, buttonText);
    bar->Frame = FrameCountAfterLoad("MenuBar", def.MenuBar->Frame, def.MenuBar->Style);
    skin.TileLeftMenu = def.MenuBar->TileLeftMenu;
    skin.TileRightMenu = def.MenuBar->TileRightMenu;
    skin.Elements.push_back(std::move(bar));
  };
  for (const ElementDef& d : def.Elements) {
    if (!menuBarPlaced && d.Name != "Progress.Chunk") placeMenuBar();
    skin.Elements.push_back(MakeOptional(d, buttonText, def));
  }
  if (!menuBarPlaced) placeMenuBar();

  if (!def.Find("Track")) skin.Elements.push_back(BuiltInTrack("TRACK", false));
  if (!def.Find("TRACKVERT")) skin.Elements.push_back(BuiltInTrack("TRACKVERT", true));
  return skin;
}

void DeriveSkinImages(const SkinDefinition& def, TSkinContents& skin) {
  const Colour buttonFace = ColorToRGB(def.Colours[ciButtonFace].colour);
  TDataSkinObject* sunkEdge = Find(skin, "SunkEdge");
  TDataSkinObject* comboButton = Find(skin, "ComboButton");
  const ElementDef* sunkDef = def.Find("SunkEdge");
  const ElementDef* comboDef = def.Find("ComboButton");

  // One image for the whole combo box (edge, button and arrow), and its mirror for right-to-left
  // combos.
  PixelBuffer strip;
  if (sunkEdge && comboButton) {
    const int cells = sunkEdge->Frame;
    const int buttonWidth = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const ElementDef* extraDef = def.Find("ExtraImages");
    const TDataSkinObject* extra = Find(skin, "ExtraImages");
    strip =
        CombinedComboStrip(SourceOf(sunkDef, sunkEdge->Frame, sunkEdge->Trans == 1),
                           SourceOf(comboDef, comboButton->Frame, true),
                           SourceOf(extraDef, extra ? extra->Frame : 1, true), cells, buttonWidth);
    const RECT edge = sunkEdge->Margins;
    comboButton->Style = 2;
    comboButton->Margins = {2, edge.top, buttonWidth + 2, edge.bottom};
    AssignPixels(*comboButton->Bitmap, strip);
    AssignPixels(*sunkEdge->Bitmap, MirroredFrames(strip, cells));
    sunkEdge->Margins = {buttonWidth + 2, edge.top, 2, edge.bottom};
  }

  if (!sunkEdge && comboButton) {
    skin.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    AssignPixels(*skin.ComboxArrow->Bitmap, WithMagentaReplaced(comboDef->Bitmap, buttonFace));
    skin.ComboxArrow->Frame = comboButton->Frame;
  } else if (sunkEdge && comboButton && comboButton->Style == 2) {
    skin.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    AssignPixels(*skin.ComboxArrow->Bitmap, ComboArrowsFromStrip(strip, sunkEdge->Frame));
    skin.ComboxArrow->Frame = sunkEdge->Frame;
  }

  const Colour title = SampleTitleColour(def.Top.Bitmap, def.Top.Frame, buttonFace);
  skin.Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
  AssignPixels(*skin.Toolbar->Bitmap, ToolbarImage(ToolbarGradientEnds(buttonFace, title)));
  skin.Toolbar->Frame = 1;

  skin.Colours[ciTitleColour] = {title, !def.Top.Bitmap.empty()};
  skin.ButtonFaceBrush = ui::GdiBrush(CreateSolidBrush(static_cast<COLORREF>(buttonFace)));
}

// ---- The component's load --------------------------------------------------------------------

// The package being read while a load runs, for LoadSkinBitmap and the image loader.
class TSkinData::LoadSession {
 public:
  LoadSession(TSkinData& owner, const TSkinReader& reader) : owner_(owner), reader(reader) {
    owner_.session_ = this;
  }
  ~LoadSession() { owner_.session_ = nullptr; }
  LoadSession(const LoadSession&) = delete;
  LoadSession& operator=(const LoadSession&) = delete;

  // The art for 200 % beside an image of the frame, when the skin has it and it fits the image
  // frame for frame; art that does not fit is left out with a line in the debugger's output, and
  // the frame scales the image itself.
  void LargerArt(const std::string& entry, TDataSkinObject& element, bool vertical) {
    AssignPixels(*element.Bitmap2x, {});
    const std::string larger = ScaledArtName(entry, 2);
    if (larger.empty() || element.Empty() || reader.IndexOf(larger) < 0) return;
    PixelBuffer pixels;
    std::string problem;
    try {
      pixels = Decode(larger);
    } catch (const std::exception& e) {
      problem = e.what();
    }
    if (problem.empty()) {
      const SIZE base{element.Bitmap->Width(), element.Bitmap->Height()};
      problem = ScaledArtMismatch(entry, 2, base.cx, base.cy, pixels.width(), pixels.height(),
                                  std::max(element.Frame, 1), vertical);
    }
    if (!problem.empty()) {
      const std::u16string line = ui::Utf8ToUtf16("skin: " + problem + "\n");
      OutputDebugStringW(reinterpret_cast<const wchar_t*>(line.c_str()));
      return;
    }
    AssignPixels(*element.Bitmap2x, pixels);
  }

  PixelBuffer Decode(const std::string& entry) {
    Stopwatch watch;
    PixelBuffer pixels;
    const std::span<const uint8_t> bytes = reader.Entry(entry);
    if (!bytes.empty()) {
      try {
        pixels = DecodeBmp(bytes.data(), bytes.size()).pixels;
      } catch (const BmpError& e) {
        throw ESkinImageError("skin image \"" + entry + "\" is not a valid bitmap: " + e.what());
      }
    }
    imagesMs += watch.Ms();
    return pixels;
  }

  TSkinData& owner_;
  const TSkinReader& reader;
  double imagesMs = 0;
};

bool TSkinData::LoadSkin() {
  const std::vector<uint8_t>& bytes = stream_.Bytes();
  return LoadSkinFrom(bytes);
}

bool TSkinData::LoadSkinFrom(std::span<const uint8_t> stream) {
  lastError_.clear();
  profile_ = {};
  if (HasState(ui::csDesigning)) return false;
  const Stopwatch total;

  // Reading a form must survive any skin: nothing escapes from here.
  bool loaded = false;
  try {
    loaded = LoadPackageAndApply(stream);
  } catch (const std::exception& e) {
    lastError_ = e.what();
    return false;
  }
  if (loaded) profile_.total = total.Ms();
  return loaded;
}

bool TSkinData::LoadPackageAndApply(std::span<const uint8_t> stream) {
  const Stopwatch decoding;
  TSkinReader reader([this](std::string_view message) {
    if (MessageReporter) MessageReporter(message);
  });
  if (!reader.LoadPackage(stream)) {
    lastError_ = reader.LastError();
    return false;
  }
  profile_.decode = decoding.Ms();

  TQuickIni ini;
  {
    const Stopwatch parsing;
    TMemoryStream scratch;
    std::string name;
    reader.FindEntryContaining(".ini", scratch, name);
    scratch.Rewind();
    ini.LoadFromStream(scratch);
    profile_.parse = parsing.Ms();
  }
  LoadSession session(*this, reader);
  ApplyDefinition(ini);
  return true;
}

void TSkinData::ApplyDefinition(const TQuickIni& ini) {
  const ImageLoader loader = [this](const std::string& entry) {
    return session_ ? session_->Decode(entry) : PixelBuffer();
  };
  const Stopwatch reading;
  const SkinDefinition def = ReadSkinDefinition(ini, loader);
  const double decodingMs = session_ ? session_->imagesMs : 0;
  profile_.parse += reading.Ms() - decodingMs;

  const Stopwatch building;
  TSkinContents fresh = BuildSkinElements(def);
  if (session_) {
    // The frame's images may have larger art for high-DPI windows.
    session_->LargerArt(def.Left.ImageName, *fresh.Left, false);
    session_->LargerArt(def.Right.ImageName, *fresh.Right, false);
    session_->LargerArt(def.Top.ImageName, *fresh.Top, true);
    session_->LargerArt(def.Bottom.ImageName, *fresh.Bottom, true);
    session_->LargerArt(def.Title.ImageName, *fresh.Title, true);
    for (size_t i = 0; i < def.CaptionButtons.size() && i < fresh.CaptionButtons.size(); ++i)
      session_->LargerArt(def.CaptionButtons[i].ImageName, *fresh.CaptionButtons[i], false);
  }
  const double buildMs = building.Ms();
  const Stopwatch deriving;
  DeriveSkinImages(def, fresh);
  profile_.derived = deriving.Ms();

  // Taking over also frees the previous skin's bitmaps: part of the image work.
  const Stopwatch adopting;
  Adopt(fresh);
  profile_.images = decodingMs + buildMs + adopting.Ms();
  noSkin_ = false;
}

void TSkinData::LoadSkinBitmap(ui::TBitmap* bitmap, std::string_view reference) {
  if (!bitmap) return;
  AssignPixels(*bitmap, {});
  const std::string entry = ImageEntryName(reference);
  if (entry.empty() || !session_) return;
  AssignPixels(*bitmap, session_->Decode(entry));
}

// The always-present elements keep their objects (painters may hold them); everything else is
// replaced. A skin that makes no new arrow image keeps the previous one.
void TSkinData::Adopt(TSkinContents& fresh) {
  skinName_ = std::move(fresh.SkinName);
  left_->TakeFrom(*fresh.Left);
  right_->TakeFrom(*fresh.Right);
  top_->TakeFrom(*fresh.Top);
  bottom_->TakeFrom(*fresh.Bottom);
  buttons_->TakeFrom(*fresh.Buttons);
  title_->TakeFrom(*fresh.Title);
  colours_ = fresh.Colours;
  extraColours_ = std::move(fresh.ExtraColours);
  customColors_ = fresh.CustomColors;
  captionButtons_ = std::move(fresh.CaptionButtons);
  elements_ = std::move(fresh.Elements);
  auto keep = [](std::unique_ptr<TDataSkinObject>& held, std::unique_ptr<TDataSkinObject>& made) {
    if (!made) return;
    if (held)
      held->TakeFrom(*made);
    else
      held = std::move(made);
  };
  keep(comboxArrow_, fresh.ComboxArrow);
  keep(toolbar_, fresh.Toolbar);
  // Painters may count on the arrow element after any load, even an empty one.
  if (!comboxArrow_) comboxArrow_ = std::make_unique<TDataSkinObject>("ComboxArrow");
  tileLeftMenu_ = fresh.TileLeftMenu;
  tileRightMenu_ = fresh.TileRightMenu;
  buttonFaceBrush_ = std::move(fresh.ButtonFaceBrush);
}

}  // namespace skin
