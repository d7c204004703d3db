// The test helpers: an observer that answers the next modal loop and an event filter that
// drives the next popup menu, each with a timer that ends its wait.
#include "orbotk/testing.h"

#include "orbotk/chooser.h"
#include "orbotk/driver.h"
#include "orbotk/window.h"
#include "orboutil/log.h"

#include <cstdio>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/eventfilter.h>
#include <wx/menu.h>
#include <wx/timer.h>

#include <memory>
#include <vector>

namespace orbotk {
namespace testing {

namespace {

std::function<void(const std::string&)>& failureHandler() {
    static std::function<void(const std::string&)> handler;
    return handler;
}

void fail(Outcome& outcome, const std::string& message) {
    if (outcome.failed())
        return;
    outcome.failure = message;
    orbo::util::log_record(1, "testing", __LINE__, message + "\n");
    if (failureHandler())
        failureHandler()(message);
    else
        std::fprintf(stderr, "test helper failed: %s\n", message.c_str());
}

std::string ms(std::chrono::milliseconds limit) {
    return std::to_string(limit.count()) + " ms";
}

// Helpers whose work is over. They may finish inside a callback of their own (a timer's, an
// observer's), so they are kept here and deleted when the next helper is armed; the list is
// never destroyed, so that nothing is deleted after wxWidgets has shut down.
struct Helper {
    virtual ~Helper() = default;
};
std::vector<std::unique_ptr<Helper>>& finished() {
    static auto* list = new std::vector<std::unique_ptr<Helper>>;
    return *list;
}

// Answers the next modal loop; once its work is over it leaves the observers for finished().
class ModalAnswer : public WindowObserver, public Helper {
public:
    ModalAnswer(std::function<void(Driver&)> act, std::chrono::milliseconds limit)
        : act_(std::move(act)), limit_(limit), outcome_(std::make_shared<Outcome>()) {
        timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { timeUp(); });
        timer_.StartOnce(static_cast<int>(limit_.count()));
        Window::addObserver(this);
    }
    std::shared_ptr<const Outcome> outcome() const { return outcome_; }

    void modalLoopRunning(Window& w) override {
        if (window_.lock() || finished_)
            return;
        window_ = w.handle();
        timer_.Stop();
        Driver d(w.handle().lock());
        // The loop's window as the platform would have it: its size, painted.
        for (int i = 0; i < 2; ++i) {
            d.resize(w.GetSize().x, w.GetSize().y);
            d.paint();
        }
        outcome_->acted = true;
        act_(d);
        if (w.IsModal())
            timer_.StartOnce(static_cast<int>(limit_.count()));
        else
            finish();
    }
    void modalLoopEnded(Window& w, int) override {
        if (window_.lock().get() == &w)
            finish();
    }

private:
    void timeUp() {
        if (boost::shared_ptr<Window> w = window_.lock()) {
            fail(*outcome_, "the modal window \"" + w->GetTitle().ToStdString() +
                                "\" was still open " + ms(limit_) + " after it was answered");
            if (w->IsModal())
                w->EndModal(wxID_ABORT);
        } else {
            fail(*outcome_, "no modal window opened within " + ms(limit_));
        }
        finish();
    }
    void finish() {
        if (finished_)
            return;
        finished_ = true;
        timer_.Stop();
        Window::removeObserver(this);
        finished().emplace_back(this);
    }

    std::function<void(Driver&)> act_;
    std::chrono::milliseconds limit_;
    std::shared_ptr<Outcome> outcome_;
    boost::weak_ptr<Window> window_;
    wxTimer timer_;
    bool finished_ = false;
};

// Drives the next popup menu once it has opened and taken its grab.
class MenuPick : public wxEventFilter, public Helper {
public:
    MenuPick(std::wstring label, std::chrono::milliseconds limit)
        : label_(std::move(label)), limit_(limit), outcome_(std::make_shared<Outcome>()) {
        timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { onTimer(); });
        timer_.StartOnce(static_cast<int>(limit_.count()));
        wxEvtHandler::AddFilter(this);
    }
    std::shared_ptr<const Outcome> outcome() const { return outcome_; }

    int FilterEvent(wxEvent& event) override {
        if (menu_ == nullptr && !finished_ && event.GetEventType() == wxEVT_MENU_OPEN) {
            auto& open = static_cast<wxMenuEvent&>(event);
            if (open.IsPopup() && open.GetMenu() != nullptr) {
                menu_ = open.GetMenu();
                timer_.StartOnce(100); // the menu maps and grabs the pointer first
            }
        }
        return Event_Skip;
    }

private:
    void onTimer() {
        if (finished_)
            return;
        if (menu_ == nullptr) {
            fail(*outcome_, "no popup menu opened within " + ms(limit_));
        } else {
            act();
        }
        finish();
    }
    void act() {
        GtkMenuShell* shell = GTK_MENU_SHELL(menu_->m_menu);
        outcome_->acted = true;
        if (label_.empty()) {
            gtk_menu_shell_cancel(shell);
            return;
        }
        for (wxMenuItem* item : menu_->GetMenuItems()) {
            if (item->IsSeparator() || item->GetItemLabelText().ToStdWstring() != label_)
                continue;
            if (!item->IsEnabled())
                break;
            // The platform's own activation: the item's signal, then the menu closes.
            gtk_menu_shell_activate_item(shell, item->GetMenuItem(), TRUE);
            return;
        }
        std::string shown;
        for (wxMenuItem* item : menu_->GetMenuItems())
            if (!item->IsSeparator())
                shown += (shown.empty() ? "" : ", ") + std::string("\"") +
                         item->GetItemLabelText().utf8_string() +
                         (item->IsEnabled() ? "\"" : "\" (disabled)");
        fail(*outcome_, "the popup menu has no enabled item \"" + wxString(label_).utf8_string() +
                            "\"; it shows " + shown);
        gtk_menu_shell_cancel(shell);
    }
    void finish() {
        finished_ = true;
        timer_.Stop();
        wxEvtHandler::RemoveFilter(this);
        finished().emplace_back(this);
    }

    std::wstring label_;
    std::chrono::milliseconds limit_;
    std::shared_ptr<Outcome> outcome_;
    wxMenu* menu_ = nullptr;
    wxTimer timer_;
    bool finished_ = false;
};

// Answers the next chooser from inside its loop, through the choosers' answering hook.
class ChooserPick : public Helper {
public:
    ChooserPick(std::vector<std::wstring> answer, std::chrono::milliseconds limit)
        : answer_(std::move(answer)), limit_(limit), outcome_(std::make_shared<Outcome>()) {
        timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            fail(*outcome_, "no chooser opened within " + ms(limit_));
            finish();
        });
        timer_.StartOnce(static_cast<int>(limit_.count()));
        answerChoosers([this](const Chooser&, std::vector<std::wstring>& answer) {
            answer = answer_;
            outcome_->acted = true;
            finish();
            return true;
        });
    }
    std::shared_ptr<const Outcome> outcome() const { return outcome_; }

private:
    void finish() {
        if (finished_)
            return;
        finished_ = true;
        timer_.Stop();
        answerChoosers(ChooserAnswer());
        finished().emplace_back(this);
    }

    std::vector<std::wstring> answer_;
    std::chrono::milliseconds limit_;
    std::shared_ptr<Outcome> outcome_;
    wxTimer timer_;
    bool finished_ = false;
};

} // namespace

void setFailureHandler(std::function<void(const std::string&)> handler) {
    failureHandler() = std::move(handler);
}

std::shared_ptr<const Outcome> answerNextModal(std::function<void(Driver&)> act,
                                               std::chrono::milliseconds limit) {
    finished().clear();
    return (new ModalAnswer(std::move(act), limit))->outcome();
}

std::shared_ptr<const Outcome> pickNextMenuItem(const std::wstring& label,
                                                std::chrono::milliseconds limit) {
    finished().clear();
    return (new MenuPick(label, limit))->outcome();
}

std::shared_ptr<const Outcome> answerNextChooser(std::vector<std::wstring> answer,
                                                 std::chrono::milliseconds limit) {
    finished().clear();
    return (new ChooserPick(std::move(answer), limit))->outcome();
}

} // namespace testing
} // namespace orbotk
