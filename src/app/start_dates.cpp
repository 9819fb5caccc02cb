#include "app/start_dates.h"

#include <QDate>

varnolt::DayNumber LocalToday() {
  const QDate today = QDate::currentDate();
  return varnolt::DayFromCivil(today.year(), today.month(), today.day());
}

std::string StartupStartDate(varnolt::DayNumber today) {
  const varnolt::CivilDate date = varnolt::CivilFromDay(today);
  // Months counted from year 0, so that going back across January needs no special case.
  const int months = date.year * 12 + (date.month - 1) - 5;
  return varnolt::DayToCompact(varnolt::DayFromCivil(months / 12, months % 12 + 1, 1));
}
