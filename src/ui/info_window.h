// The information window "Thread Info": a pop-up beside the main window that lists the
// description of the selected series, kept current while it is open.
#pragma once

#include <string>
#include <vector>

#include "info_description.h"
#include "number_format.h"
#include "series.h"
#include "windowing.h"

namespace torveld {

class InfoWindow {
  public:
    static constexpr int kWidth = 314;
    static constexpr int kHeight = 480;
    static constexpr platform::Rgb kBackground{209, 209, 140};
    // Control ids inside the information window.
    static constexpr int kListId = 1;
    static constexpr int kCloseId = 2;

    explicit InfoWindow(platform::Windowing& windowing) : windowing_(windowing) {}
    InfoWindow(const InfoWindow&) = delete;
    InfoWindow& operator=(const InfoWindow&) = delete;

    // True while the window exists (a window the platform has closed behind our back counts as
    // closed).
    bool isOpen() const;
    // The window while it is open, else 0.
    platform::WindowHandle handle() const { return isOpen() ? handle_ : 0; }

    // INFO: opens the window centred on the screen and fills it, or, when it is open already,
    // restores it and brings it to the top without refilling. `note` is what the description
    // says under its title about the size shown (a special size's computed values); empty for a
    // size of the tables.
    void showFor(SeriesId series, const UnitMode& mode, const std::vector<std::string>& note = {});
    // After a series change, a unit switch or a change of the note: refills the window and
    // brings it to the top, if it is open; otherwise nothing.
    void refresh(SeriesId series, const UnitMode& mode, const std::vector<std::string>& note = {});
    // The note the open window shows.
    const std::vector<std::string>& note() const { return note_; }
    // CLOSE and program exit: destroys the window if it is open.
    void close();

    // Whether an event of `window` belongs to this window.
    bool owns(platform::WindowHandle window) const { return window != 0 && window == handle(); }
    // Events of the window's own: a press on its background starts a move; CLOSE closes it.
    void onBackgroundPress(platform::WindowHandle window);
    void onControlEvent(platform::WindowHandle window, int controlId, int code);

  private:
    void open();
    void fill(SeriesId series, const UnitMode& mode, const std::vector<std::string>& note);

    platform::Windowing& windowing_;
    platform::WindowHandle handle_ = 0;
    bool open_ = false;
    std::vector<std::string> note_;
};

}  // namespace torveld
