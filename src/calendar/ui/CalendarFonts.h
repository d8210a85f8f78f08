// The seven fonts of the calendar control, with their colours and the Synchronize switch.
#pragma once

#include "calendar/DayClassifier.h"
#include "calendar/ui/CalendarColors.h"

#include <QFont>
#include <array>
#include <functional>

namespace tolmo {

// A font by its Windows face name and pixel height; fontconfig picks the best match, with a
// Japanese font of the same kind (fixed or proportional) before anything else.
QFont FaceFont(const QString& face, int pixelHeight);

struct TCalExFont {
    QFont font;
    TColor color = clBlack;
    bool operator==(const TCalExFont&) const = default;
};

class TCalExFonts {
  public:
    TCalExFonts();

    const TCalExFont& Get(TCalExFontIndex i) const { return fonts_[i]; }
    // With Synchronize on, assigning one font assigns all seven (each keeps its colour).
    void Set(TCalExFontIndex i, const TCalExFont& f);
    void SetColor(TCalExFontIndex i, TColor c);
    void Assign(const TCalExFonts& other);

    bool Synchronize() const { return synchronize_; }
    void SetSynchronize(bool on) { synchronize_ = on; }

    const TCalExFont& Weekday() const { return fonts_[cfWeekday]; }
    const TCalExFont& Saturday() const { return fonts_[cfSaturday]; }
    const TCalExFont& Sunday() const { return fonts_[cfSunday]; }
    const TCalExFont& DayOfWeek() const { return fonts_[cfDayOfWeek]; }
    const TCalExFont& Holiday() const { return fonts_[cfHoliday]; }
    const TCalExFont& SpecialDay() const { return fonts_[cfSpecialDay]; }
    const TCalExFont& Rokuyo() const { return fonts_[cfRokuyo]; }

    // Called after every change; the control redraws.
    std::function<void()> OnChange;

  private:
    void changed() {
        if (OnChange) OnChange();
    }
    std::array<TCalExFont, 7> fonts_;
    bool synchronize_ = false;
};

} // namespace tolmo
