#include "ui/DateTimeCtrls.h"

#include <commctrl.h>

#include "ui/TypInfo.h"

namespace ui {

namespace {
const TEnumInfo& DateTimeKindInfo() {
  static const TEnumInfo info{"TDateTimeKind", {"dtkDate", "dtkTime"}};
  return info;
}
}  // namespace

UI_IMPLEMENT_CLASS(TDateTimePicker, TWinControl,
                   P::Enum("Kind", DateTimeKindInfo(), &TDateTimePicker::Kind,
                           &TDateTimePicker::SetKind))

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 186, 21);
  SetTabStop(true);
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
  // The picker's classes are not among those the framework registers for every control.
  static const bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)registered;
  TWinControl::CreateParams(p);
  CreateSubClass(p, DATETIMEPICK_CLASSW);
  p.Style |= kind_ == TDateTimeKind::dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
}

void TDateTimePicker::CreateHandleDone() {
  if (dateSet_)
    SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date_));
  TWinControl::CreateHandleDone();
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  if (HandleAllocated()) RecreateWnd();
}

SYSTEMTIME TDateTimePicker::Date() {
  if (HandleAllocated())
    SendMessageW(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date_));
  return date_;
}

void TDateTimePicker::SetDate(const SYSTEMTIME& date) {
  date_ = date;
  dateSet_ = true;
  if (HandleAllocated())
    SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date_));
}

HWND TDateTimePicker::CalendarWindow() {
  return HandleAllocated() ? reinterpret_cast<HWND>(SendMessageW(Handle(), DTM_GETMONTHCAL, 0, 0))
                           : nullptr;
}

}  // namespace ui
