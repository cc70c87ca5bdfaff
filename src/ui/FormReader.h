// Reading a form: the form's constructor builds its components in code while the form is in the
// reading state; the binary properties that must be streamed (a skin, for instance) come from
// resource data of the executable; then every component gets Loaded, and then the form's
// OnCreate runs. The order is the one a component such as the skin data relies on: its stream
// arrives (and is applied) while reading, Loaded follows once everything exists.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Classes.h"

namespace ui {

class TFormReader : public TFiler {
 public:
  // Puts `root` (and every component it comes to own) into the reading state.
  explicit TFormReader(TComponent* root);
  // A reader that was not finished (an exception left the constructor) ends the reading state.
  ~TFormReader() override;
  TFormReader(const TFormReader&) = delete;
  TFormReader& operator=(const TFormReader&) = delete;

  // A binary property payload for a named component (what a resource would hold).
  void AddBinaryProperty(const std::string& component, const std::string& property,
                         std::vector<uint8_t> payload);
  // Looks up every component's defined binary properties in the module's RCDATA resources,
  // named "<ROOTCLASS>_<COMPONENT>_<PROPERTY>" in upper case (e.g. TFORM1_SKINDATA1_SKINSTREAM).
  void AddResourceProperties(HINSTANCE instance);
  // Hands each payload to its component's reader, ends reading, calls Loaded on every component
  // (the root last), then runs the root's OnCreate when it is a form.
  void Finish();

  static std::string ResourceName(const std::string& rootClass, const std::string& component,
                                  const std::string& property);

  void DefineBinaryProperty(const std::string& name, const BinaryReader& read,
                            const BinaryWriter& write, bool hasData) override;

 private:
  struct Payload {
    std::string component, property;
    std::vector<uint8_t> bytes;
  };
  std::vector<TComponent*> Components() const;
  void EndReading();

  TComponent* root_;
  std::vector<Payload> payloads_;
  const Payload* current_ = nullptr;             // offered to DefineBinaryProperty
  std::vector<std::string>* collect_ = nullptr;  // names of binary properties, when probing
  bool finished_ = false;
};

}  // namespace ui
