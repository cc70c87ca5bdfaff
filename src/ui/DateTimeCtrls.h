// The date-time picker: the system's picker with its drop-down month calendar.
#pragma once

#include "ui/Controls.h"

namespace ui {

enum class TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
  UI_CLASS(TDateTimePicker, TWinControl)
 public:
  explicit TDateTimePicker(TComponent* AOwner);

  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind kind);
  // The picked day (the window's when there is one).
  SYSTEMTIME Date();
  void SetDate(const SYSTEMTIME& date);
  // The month calendar while it is dropped down, else null.
  HWND CalendarWindow();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;

 private:
  TDateTimeKind kind_ = TDateTimeKind::dtkDate;
  SYSTEMTIME date_{};
  bool dateSet_ = false;
};

}  // namespace ui
