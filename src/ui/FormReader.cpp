#include "ui/FormReader.h"

#include "ui/Application.h"
#include "ui/Forms.h"
#include "ui/Text.h"

namespace ui {

namespace {
void Collect(TComponent* c, std::vector<TComponent*>& out) {
  for (TComponent* child : c->ComponentList()) {
    out.push_back(child);
    Collect(child, out);
  }
}

TComponent* FindNamed(TComponent* root, const std::string& name) {
  if (name.empty() || EqualsNoCase(root->Name(), name)) return root;
  std::vector<TComponent*> all;
  Collect(root, all);
  for (TComponent* c : all)
    if (EqualsNoCase(c->Name(), name)) return c;
  return nullptr;
}
}  // namespace

TFormReader::TFormReader(TComponent* root) : root_(root) {
  root_->SetLoading(true);
  root_->SetReading(true);
}

TFormReader::~TFormReader() {
  if (!finished_) {
    EndReading();
    for (TComponent* c : Components()) c->SetLoading(false);
  }
}

std::vector<TComponent*> TFormReader::Components() const {
  std::vector<TComponent*> all{root_};
  Collect(root_, all);
  return all;
}

std::string TFormReader::ResourceName(const std::string& rootClass, const std::string& component,
                                      const std::string& property) {
  return AsciiUpper(rootClass + "_" + component + "_" + property);
}

void TFormReader::AddBinaryProperty(const std::string& component, const std::string& property,
                                    std::vector<uint8_t> payload) {
  payloads_.push_back({component, property, std::move(payload)});
}

void TFormReader::AddResourceProperties(HINSTANCE instance) {
  for (TComponent* c : Components()) {
    std::vector<std::string> names;
    collect_ = &names;
    c->DefineProperties(*this);
    collect_ = nullptr;
    for (const std::string& property : names) {
      std::string name = ResourceName(root_->ClassName(), c->Name(), property);
      HRSRC res = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
      if (!res) continue;
      HGLOBAL data = LoadResource(instance, res);
      DWORD size = SizeofResource(instance, res);
      const auto* bytes = static_cast<const uint8_t*>(data ? LockResource(data) : nullptr);
      if (!bytes) continue;
      AddBinaryProperty(c == root_ ? std::string() : c->Name(), property,
                        std::vector<uint8_t>(bytes, bytes + size));
    }
  }
}

void TFormReader::DefineBinaryProperty(const std::string& name, const BinaryReader& read,
                                       const BinaryWriter&, bool) {
  if (collect_) {
    collect_->push_back(name);
    return;
  }
  if (!current_ || !read || !EqualsNoCase(name, current_->property)) return;
  TMemoryStream stream;
  if (!current_->bytes.empty())
    stream.WriteBuffer(current_->bytes.data(), static_cast<int64_t>(current_->bytes.size()));
  stream.SetPosition(0);
  read(stream);
}

void TFormReader::EndReading() {
  for (TComponent* c : Components()) c->SetReading(false);
}

void TFormReader::Finish() {
  if (finished_) return;
  for (const Payload& p : payloads_) {
    TComponent* target = FindNamed(root_, p.component);
    if (!target) continue;
    current_ = &p;
    try {
      target->DefineProperties(*this);
    } catch (...) {
      // A property that cannot be read (a damaged image, say) is reported; the form is still
      // made, without it.
      current_ = nullptr;
      if (Application) Application->HandleException(target);
    }
    current_ = nullptr;
  }
  EndReading();
  finished_ = true;
  // Read at 96 dpi: shown at the screen's before anything measures it.
  if (auto* form = dynamic_cast<TCustomForm*>(root_)) {
    try {
      form->ScaleToWindowPPI();
    } catch (...) {
      if (Application) Application->HandleException(form);
    }
  }
  std::vector<TComponent*> all = Components();
  for (TComponent* c : all) {
    try {
      c->Loaded();
    } catch (...) {
      if (Application) Application->HandleException(c);
    }
  }
  if (auto* form = dynamic_cast<TCustomForm*>(root_)) form->DoCreate();
}

}  // namespace ui
