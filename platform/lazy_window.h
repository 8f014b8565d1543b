#pragma once
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <functional>

// Unloads a window: it hides at once and is destroyed when control returns to the event loop.
// From then on its holder regards it as gone, so the next use makes a new one.
void unload_window(QWidget* window);
bool is_unloaded(const QWidget* window);

// Shows a window without making it modal, or brings it to the front (restored if minimised)
// and activates it when it is already shown.
void show_in_front(QWidget& window);

// One global instance of a window class, made (with its start sequence, which the class runs
// in its constructor) the first time it is used, and made anew after it was unloaded.
template <class Form>
class LazyWindow {
  public:
    Form& operator*() { return get(); }
    Form* operator->() { return &get(); }
    Form& get() {
        if (!loaded()) {
            form_ = new Form();
            if (on_made) on_made(*form_);
        }
        return *form_;
    }
    bool loaded() const { return form_ && !is_unloaded(form_.data()); }
    // The window if it is loaded, else nullptr; never makes one.
    Form* peek() const { return loaded() ? form_.data() : nullptr; }
    // Destroys the window now (tests; the end of the program).
    void destroy() { delete form_.data(); }

    // Runs on every new window right after its start sequence; the program's edition uses it
    // to connect the window to the rest of the program.
    std::function<void(Form&)> on_made;

  private:
    QPointer<Form> form_;
};
