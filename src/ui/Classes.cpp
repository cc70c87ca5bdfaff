#include "ui/Classes.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "ui/Text.h"
#include "ui/TypInfo.h"

namespace ui {

namespace {

std::string WideToUtf8(std::wstring_view text) {
  std::u16string u16;
  u16.reserve(text.size());
  for (wchar_t c : text) {
    auto cp = static_cast<char32_t>(c);
    if (cp >= 0x10000) {  // 32-bit wchar_t (native builds)
      cp -= 0x10000;
      u16 += static_cast<char16_t>(0xD800 + (cp >> 10));
      u16 += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      u16 += static_cast<char16_t>(cp);
    }
  }
  return Utf16ToUtf8(u16);
}

std::wstring Utf8ToWide(std::string_view text) {
  std::u16string u16 = Utf8ToUtf16(text);
  return std::wstring(u16.begin(), u16.end());
}

}  // namespace

// ---- Exceptions -------------------------------------------------------------------------------

Exception::Exception(std::wstring message)
    : message_(std::move(message)), narrow_(WideToUtf8(message_)) {}

std::wstring ExceptionMessage(const std::exception_ptr& error) {
  try {
    if (error) std::rethrow_exception(error);
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return Utf8ToWide(e.what());
  } catch (...) {
  }
  return L"Unknown error";
}

// ---- Class information ------------------------------------------------------------------------

TClassInfo::TClassInfo(const char* name, const TClassInfo* parent, std::vector<TPropInfo> props)
    : name_(name), parent_(parent), props_(std::move(props)) {}

TClassInfo::~TClassInfo() = default;

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (c == &other) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const TPropInfo& p : c->props_)
      if (EqualsNoCase(p.Name, name)) return &p;
  return nullptr;
}

// ---- TObject ----------------------------------------------------------------------------------

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info("TObject", nullptr, {});
  return info;
}

TObject::~TObject() = default;

void TObject::operator delete(TObject* p, std::destroying_delete_t) {
  void* memory = dynamic_cast<void*>(p);
  p->BeforeDestruction();
  p->~TObject();
  ::operator delete(memory);
}

// ---- Streams ----------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TStream, TObject)

int64_t TStream::Size() {
  int64_t pos = Seek(0, TSeekOrigin::soCurrent);
  int64_t size = Seek(0, TSeekOrigin::soEnd);
  Seek(pos, TSeekOrigin::soBeginning);
  return size;
}

void TStream::SetSize(int64_t) { throw EInvalidOperation(L"Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EInvalidOperation(L"Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::vector<uint8_t> chunk(static_cast<size_t>(std::min<int64_t>(count, 64 * 1024)));
  int64_t left = count;
  while (left > 0) {
    int64_t n = std::min<int64_t>(left, static_cast<int64_t>(chunk.size()));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= n;
  }
  return count;
}

UI_IMPLEMENT_CLASS(TMemoryStream, TStream)

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || pos_ >= Size()) return 0;
  int64_t n = std::min(count, Size() - pos_);
  std::memcpy(buffer, data_.data() + pos_, static_cast<size_t>(n));
  pos_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (pos_ + count > Size()) data_.resize(static_cast<size_t>(pos_ + count));
  std::memcpy(data_.data() + pos_, buffer, static_cast<size_t>(count));
  pos_ += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == TSeekOrigin::soBeginning ? 0
                 : origin == TSeekOrigin::soCurrent ? pos_
                                                    : Size();
  pos_ = std::max<int64_t>(0, base + offset);
  return pos_;
}

void TMemoryStream::SetSize(int64_t size) {
  data_.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
  pos_ = std::min(pos_, Size());
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  int64_t size = source.Size();
  SetSize(size);
  if (size) source.ReadBuffer(data_.data(), size);
  pos_ = 0;
}

void TMemoryStream::LoadFromFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EReadError(L"Cannot open file " + path.wstring());
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  data_ = std::move(bytes);
  pos_ = 0;
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// ---- String lists -----------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TStrings, TObject)

void TStrings::Put(int index, const std::wstring& s) {
  intptr_t tag = GetTag(index);
  BeginUpdate();
  Delete(index);
  Insert(index, s);
  PutTag(index, tag);
  EndUpdate();
}

int TStrings::Add(const std::wstring& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddTagged(const std::wstring& s, intptr_t tag) {
  int index = Add(s);
  PutTag(index, tag);
  return index;
}

int TStrings::IndexOf(const std::wstring& s) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (Get(i) == s) return i;
  return -1;
}

void TStrings::Assign(const TStrings& other) {
  if (&other == this) return;
  BeginUpdate();
  Clear();
  for (int i = 0; i < other.Count(); ++i) AddTagged(other.Get(i), other.GetTag(i));
  EndUpdate();
}

void TStrings::AddStrings(const std::vector<std::wstring>& lines) {
  BeginUpdate();
  for (const auto& line : lines) Add(line);
  EndUpdate();
}

std::wstring TStrings::Text() const {
  std::wstring out;
  for (int i = 0, n = Count(); i < n; ++i) {
    out += Get(i);
    out += L"\r\n";
  }
  return out;
}

void TStrings::SetText(std::wstring_view text) {
  BeginUpdate();
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) {
      Add(std::wstring(text.substr(start)));
      break;
    }
    Add(std::wstring(text.substr(start, end - start)));
    start = end + 1;
    if (text[end] == L'\r' && start < text.size() && text[start] == L'\n') ++start;
  }
  EndUpdate();
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TStrings::Changed() {
  if (updateCount_ == 0 && OnChange) OnChange(this);
}

UI_IMPLEMENT_CLASS(TStringList, TStrings)

void TStringList::Check(int index, int limit) const {
  if (index < 0 || index >= limit)
    throw EStringListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

std::wstring TStringList::Get(int index) const {
  Check(index, Count());
  return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const std::wstring& s) {
  Check(index, Count());
  items_[static_cast<size_t>(index)].text = s;
  Changed();
}

intptr_t TStringList::GetTag(int index) const {
  Check(index, Count());
  return items_[static_cast<size_t>(index)].tag;
}

void TStringList::PutTag(int index, intptr_t tag) {
  Check(index, Count());
  items_[static_cast<size_t>(index)].tag = tag;
}

void TStringList::Insert(int index, const std::wstring& s) {
  Check(index, Count() + 1);
  items_.insert(items_.begin() + index, Item{s, 0});
  Changed();
}

void TStringList::Delete(int index) {
  Check(index, Count());
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

// ---- TPersistent ------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TPersistent, TObject)

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& dest) const {
  std::string text = "Cannot assign a " + ClassName() + " to a " + dest.ClassName();
  throw EComponentError(Utf8ToWide(text));
}

// ---- TComponent -------------------------------------------------------------------------------

UI_IMPLEMENT_CLASS(TComponent, TPersistent, P::Int("Tag", &TComponent::Tag, &TComponent::SetTag))

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  // Objects freed with delete were cleaned up in BeforeDestruction; this covers the others
  // (members and locals), whose owner-side bookkeeping must not dangle either.
  if (!cleanedUp_) {
    Destroying();
    FreeCleanup();
  }
  // Out of the owner's list last, so the owner stays our Owner while our destructors run; it
  // has already been told (FreeCleanup).
  if (owner_) {
    auto& list = owner_->components_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    owner_ = nullptr;
  }
}

void TComponent::BeforeDestruction() {
  Destroying();
  FreeCleanup();
}

void TComponent::Destroying() {
  if (state_ & csDestroying) return;
  state_ |= csDestroying;
  // What it owns goes with it: nothing of it needs to keep the rest up to date meanwhile (a form's
  // menu bar is not laid out again for every item freed with the form).
  for (TComponent* owned : components_) owned->Destroying();
}

void TComponent::FreeCleanup() {
  if (cleanedUp_) return;
  cleanedUp_ = true;
  // Those who asked to hear about our end hear it first, while we are whole.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& theirs = other->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  // The owner (and its other components) hear of it while we are still whole.
  if (owner_) owner_->Notification(this, TOperation::opRemove);
}

void TComponent::DestroyComponents() {
  // Freeing one component may free others (a parent control frees its children), so take them
  // one at a time from the live list. Each keeps its Owner while it is freed and leaves the
  // list itself.
  while (!components_.empty()) {
    TComponent* c = components_.back();
    delete c;
    if (!components_.empty() && components_.back() == c) components_.pop_back();
  }
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  ValidateInsert(component);
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  // Components made while their owner is being read are read too.
  if (state_ & csReading) component->state_ |= csLoading | csReading;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  Notification(component, TOperation::opRemove);
  // Notification may have changed the list.
  it = std::find(components_.begin(), components_.end(), component);
  if (it != components_.end()) components_.erase(it);
  component->owner_ = nullptr;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (EqualsNoCase(c->name_, name)) return c;
  return nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (owner_ && !name.empty()) {
    TComponent* other = owner_->FindComponent(name);
    if (other && other != this)
      throw EComponentError(L"A component named " + Utf8ToWide(name) + L" already exists");
  }
  name_ = name;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
  }
  state_ |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  auto drop = [](std::vector<TComponent*>& v, TComponent* c) {
    v.erase(std::remove(v.begin(), v.end(), c), v.end());
  };
  drop(freeNotifies_, component);
  drop(component->freeNotifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component) RemoveFreeNotification(component);
  NotifyOwnedOf(component, operation);
}

void TComponent::NotifyOwnedOf(TComponent* component, TOperation operation) {
  // Owned components hear of their siblings coming and going (an image list removed from the
  // form clears the Images of the controls that show it). Copy: handlers may change the list.
  std::vector<TComponent*> owned = components_;
  for (TComponent* c : owned)
    if (c != component && std::find(components_.begin(), components_.end(), c) != components_.end())
      c->Notification(component, operation);
}

void TComponent::SetLoading(bool on) { state_ = on ? (state_ | csLoading) : (state_ & ~csLoading); }
void TComponent::SetReading(bool on) { state_ = on ? (state_ | csReading) : (state_ & ~csReading); }

void TComponent::Loaded() { state_ &= ~csLoading; }

}  // namespace ui
