#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vornelik {

// PROVISIONAL: stands for the shared layout table until it is in place.
enum class ControlKind { button, label, textBox };
struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    int left, top, width, height;
    double points;
    bool red;
};

// The program's one window as plain Win32 controls: built from the layout table, in tab order,
// with every control's font and the window's size in twips scaled to the screen's DPI.
class FormWindow {
  public:
    enum class Event { click, change };
    using EventSink = std::function<void(std::string_view name, Event event)>;

    FormWindow(HINSTANCE instance, const std::vector<ControlSpec>& layout);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Events reach the sink from now on; before, the window only builds itself.
    void forwardEventsTo(EventSink sink) { sink_ = std::move(sink); }
    // Shows the window with the focus on the first control of the tab order.
    void show(int showCommand);

    HWND handle() const { return window_; }
    HWND control(std::string_view name) const;

    std::string textOf(std::string_view name) const;
    void setTextOf(std::string_view name, std::string_view text);
    void setEnabled(std::string_view name, bool enabled);

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls(HINSTANCE instance);
    std::size_t indexOf(std::string_view name) const;

    std::vector<ControlSpec> layout_;
    int dpi_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;
    std::vector<HFONT> fonts_;
    HWND redLabel_ = nullptr;
    HWND lastFocus_ = nullptr;
    EventSink sink_;
};

}  // namespace vornelik
