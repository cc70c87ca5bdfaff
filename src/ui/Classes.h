// The root of the component framework: run-time class information, method pointers, exceptions,
// persistent objects and components with owners, the streaming hook for binary properties, streams
// and string lists. Portable: nothing here needs a window.
#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace ui {

class TObject;
class TClassInfo;
struct TPropInfo;
struct TEnumInfo;

// ---------------------------------------------------------------------------------------------
// Method pointers: an object and one of its member functions, comparable and copyable. Events
// and the replaceable message handler are all of this kind, so a handler can be saved, replaced,
// called later as "the previous one" and compared when it is removed again.

namespace detail {
template <class T>
struct MemberTraits;
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...)> {
  using Class = C;
  using Sig = R(A...);
};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) const> {
  using Class = const C;
  using Sig = R(A...);
};
}  // namespace detail

template <class Sig>
class TMethod;

template <class R, class... A>
class TMethod<R(A...)> {
 public:
  using Code = R (*)(void* self, A... args);

  TMethod() = default;
  TMethod(std::nullptr_t) {}
  TMethod(Code code, void* self) : code_(code), self_(self) {}

  // Binds a member function known at compile time: TMethod<...>::Of<&TFoo::Bar>(foo). The
  // code is that of the member's own class, so equal bindings compare equal however the object
  // pointer was typed.
  template <auto Member>
  static TMethod Of(typename detail::MemberTraits<decltype(Member)>::Class* obj) {
    using C = std::remove_const_t<typename detail::MemberTraits<decltype(Member)>::Class>;
    return TMethod(&Thunk<Member, C>, static_cast<void*>(const_cast<C*>(obj)));
  }

  R operator()(A... args) const { return code_(self_, std::forward<A>(args)...); }
  explicit operator bool() const { return code_ != nullptr; }
  bool operator==(const TMethod& o) const { return code_ == o.code_ && self_ == o.self_; }
  bool operator!=(const TMethod& o) const { return !(*this == o); }

  Code code() const { return code_; }
  void* data() const { return self_; }

 private:
  template <auto Member, class C>
  static R Thunk(void* self, A... args) {
    return (static_cast<C*>(self)->*Member)(std::forward<A>(args)...);
  }
  Code code_ = nullptr;
  void* self_ = nullptr;
};

// MethodOf<&TForm1::FormCreate>(this): the signature is taken from the member.
template <auto Member>
auto MethodOf(typename detail::MemberTraits<decltype(Member)>::Class* obj) {
  using Traits = detail::MemberTraits<decltype(Member)>;
  return TMethod<typename Traits::Sig>::template Of<Member>(obj);
}

using TNotifyEvent = TMethod<void(TObject* Sender)>;

// ---------------------------------------------------------------------------------------------
// Exceptions. Messages are wide text, as the error box shows them.

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const { return message_; }
  const char* what() const noexcept override { return narrow_.c_str(); }

 private:
  std::wstring message_;
  std::string narrow_;
};

class EComponentError : public Exception {
  using Exception::Exception;
};
class EInvalidOperation : public Exception {
  using Exception::Exception;
};
class EOutOfResources : public Exception {  // a window or system object could not be created
  using Exception::Exception;
};
class EReadError : public Exception {
  using Exception::Exception;
};
class EStringListError : public Exception {
  using Exception::Exception;
};
class EPropertyError : public Exception {
  using Exception::Exception;
};

// The message of any exception, for reports: ours carry wide text, others their what().
std::wstring ExceptionMessage(const std::exception_ptr& error);

// ---------------------------------------------------------------------------------------------
// Run-time class information: the exact class name, the parent class and the published
// properties. Every framework class declares itself with UI_CLASS in its body and
// UI_IMPLEMENT_CLASS in one source file (test code declares its own classes the same way).

class TClassInfo {
 public:
  TClassInfo(const char* name, const TClassInfo* parent, std::vector<TPropInfo> props);
  ~TClassInfo();
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& other) const;
  // Published property by name (ASCII case-insensitive), searched up the class chain.
  const TPropInfo* FindProp(std::string_view name) const;
  // Own properties only (not inherited).
  const std::vector<TPropInfo>& OwnProps() const { return props_; }

 private:
  std::string name_;
  const TClassInfo* parent_;
  std::vector<TPropInfo> props_;
};

#define UI_CLASS(Self, Base)                        \
 public:                                            \
  using inherited = Base;                           \
  static const ::ui::TClassInfo& StaticClassInfo(); \
  const ::ui::TClassInfo& ClassInfo() const override { return Self::StaticClassInfo(); }

// Properties are given as ::ui::Prop<Self>::Int(...), ::ui::Prop<Self>::Enum(...), ... (TypInfo.h).
#define UI_IMPLEMENT_CLASS(Self, Base, ...)                                  \
  const ::ui::TClassInfo& Self::StaticClassInfo() {                          \
    static const ::ui::TClassInfo info(#Self, &Base::StaticClassInfo(), [] { \
      using P [[maybe_unused]] = ::ui::Prop<Self>;                           \
      return std::vector<::ui::TPropInfo>{__VA_ARGS__};                      \
    }());                                                                    \
    return info;                                                             \
  }

// ---------------------------------------------------------------------------------------------

// The root of every framework object. Objects are freed with `delete` (or Free): a destroying
// delete runs BeforeDestruction while the whole object is still intact, so owned components can
// still use their owner while they are freed.
class TObject {
 public:
  TObject() = default;
  virtual ~TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  const std::string& ClassName() const { return ClassInfo().Name(); }
  bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }
  template <class T>
  bool Is() const {
    return InheritsFrom(T::StaticClassInfo());
  }

  // Runs first when the object is freed with delete, before any destructor.
  virtual void BeforeDestruction() {}
  void Free() { delete this; }

  static void* operator new(std::size_t size) { return ::operator new(size); }
  static void operator delete(TObject* p, std::destroying_delete_t);
  static void operator delete(void* p) { ::operator delete(p); }
};

// Frees and clears a pointer to a framework object.
template <class T>
void FreeAndNil(T*& p) {
  T* old = std::exchange(p, nullptr);
  delete old;
}

// ---------------------------------------------------------------------------------------------
// Streams

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  UI_CLASS(TStream, TObject)
 public:
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t size);

  // Exactly `count` bytes or EReadError.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies `count` bytes from `source`'s position (0: all of `source` from its start).
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
  UI_CLASS(TMemoryStream, TStream)
 public:
  TMemoryStream() = default;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  void SetSize(int64_t size) override;
  void Clear();

  uint8_t* Memory() { return data_.data(); }
  const uint8_t* Memory() const { return data_.data(); }
  const std::vector<uint8_t>& Bytes() const { return data_; }

  void LoadFromStream(TStream& source);
  // Reads the whole file; EReadError when it cannot be opened.
  void LoadFromFile(const std::filesystem::path& path);

 private:
  std::vector<uint8_t> data_;
  int64_t pos_ = 0;
};

bool FileExists(const std::filesystem::path& path);

// ---------------------------------------------------------------------------------------------
// String lists (wide text; an integer tag per line for bookkeeping such as section indexes).

class TStrings : public TObject {
  UI_CLASS(TStrings, TObject)
 public:
  virtual int Count() const = 0;
  virtual std::wstring Get(int index) const = 0;
  virtual void Put(int index, const std::wstring& s);
  virtual intptr_t GetTag(int index) const {
    (void)index;
    return 0;
  }
  virtual void PutTag(int index, intptr_t tag) {
    (void)index;
    (void)tag;
  }
  virtual void Insert(int index, const std::wstring& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::wstring operator[](int index) const { return Get(index); }
  int Add(const std::wstring& s);
  int AddTagged(const std::wstring& s, intptr_t tag);
  int IndexOf(const std::wstring& s) const;  // exact match, first index, -1 when absent
  void Assign(const TStrings& other);
  void AddStrings(const std::vector<std::wstring>& lines);

  // Lines joined with CR LF after each one.
  std::wstring Text() const;
  // Replaces the content, split at CR, LF or CR LF.
  void SetText(std::wstring_view text);

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }
  TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
  UI_CLASS(TStringList, TStrings)
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  std::wstring Get(int index) const override;
  void Put(int index, const std::wstring& s) override;
  intptr_t GetTag(int index) const override;
  void PutTag(int index, intptr_t tag) override;
  void Insert(int index, const std::wstring& s) override;
  void Delete(int index) override;
  void Clear() override;

 private:
  void Check(int index, int limit) const;
  struct Item {
    std::wstring text;
    intptr_t tag = 0;
  };
  std::vector<Item> items_;
};

// ---------------------------------------------------------------------------------------------
// Persistent objects and the streaming hook

class TFiler;

class TPersistent : public TObject {
  UI_CLASS(TPersistent, TObject)
 public:
  // Copies the state of `source`; EComponentError when the classes do not know each other.
  virtual void Assign(const TPersistent& source);
  // Declares extra ("defined") properties that are streamed by a reader of their own.
  virtual void DefineProperties(TFiler& filer) { (void)filer; }

 protected:
  virtual void AssignTo(TPersistent& dest) const;
};

// A reader (or writer) of defined properties. The form loader offers each component's defined
// properties to it; a binary property whose name matches receives its payload as a stream.
class TFiler {
 public:
  using BinaryReader = std::function<void(TStream&)>;
  using BinaryWriter = std::function<void(TStream&)>;
  virtual ~TFiler() = default;
  virtual void DefineBinaryProperty(const std::string& name, const BinaryReader& read,
                                    const BinaryWriter& write, bool hasData) = 0;
};

// ---------------------------------------------------------------------------------------------
// Components

enum TComponentStateFlag : unsigned {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,  // never set: there is no designer in this program
  csAncestor = 1u << 5,
  csUpdating = 1u << 6,
  csFreeNotification = 1u << 7,
};
using TComponentState = unsigned;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  UI_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
  const std::vector<TComponent*>& ComponentList() const { return components_; }
  TComponent* FindComponent(std::string_view name) const;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }

  TComponentState ComponentState() const { return state_; }
  bool HasState(TComponentStateFlag flag) const { return (state_ & flag) != 0; }

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component (the owner stays usable meanwhile).
  void DestroyComponents();

  // `component` will be told (Notification opRemove) when this one is freed.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Loading: the form loader brackets reading with these.
  void SetLoading(bool on);
  void SetReading(bool on);
  virtual void Loaded();

  void BeforeDestruction() override;

 protected:
  virtual void Notification(TComponent* component, TOperation operation);
  // First step of freeing: the component and everything it owns get csDestroying.
  virtual void Destroying();
  // Lets a subclass see (and veto with EComponentError) a new owned component.
  virtual void ValidateInsert(TComponent* component) { (void)component; }

 private:
  void NotifyOwnedOf(TComponent* component, TOperation operation);
  void FreeCleanup();

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::string name_;
  intptr_t tag_ = 0;
  TComponentState state_ = 0;
  bool cleanedUp_ = false;
};

}  // namespace ui

// The property tables are part of every class declaration (UI_IMPLEMENT_CLASS).
#include "ui/TypInfo.h"  // IWYU pragma: export
