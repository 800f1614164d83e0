#include "panel/panel_window.h"

#include <cstdlib>

#include "module/callback_guard.h"
#include "module/host_services.h"

namespace {

constexpr int AddedOpenFlags = PANF_MOUSETRAP | PANF_PASSALLKEYS | PANF_RESIZE;
constexpr int DoubleClickDistance = 2;
constexpr std::uint32_t DoubleClickMilliseconds = 500;

PanelWindow &WindowOf(void *userData) {
    return *static_cast<PanelWindow *>(userData);
}

template <typename Function>
void *AsPointer(Function *function) {
    return reinterpret_cast<void *>(function);
}

}  // namespace

// The plain functions the host calls; each forwards to the object given as user data.
struct PanelWindow::Notifications {
    static void Opened(LWPanelID target, void *userData) {
        GuardedVoid([&] {
            PanelWindow &window = WindowOf(userData);
            window.setSize(target);
            window.held1061 = window.held1060 = window.held1062 = 0;
            window.OnOpen();
        });
    }
    static void Closed(LWPanelID, void *userData) {
        GuardedVoid([&] { WindowOf(userData).OnClose(); });
    }
    static void Activated(LWPanelID, void *userData) {
        GuardedVoid([&] { WindowOf(userData).OnActivate(); });
    }
    static void MouseButton(LWPanelID, void *userData, int qualifiers, int x, int y) {
        GuardedVoid([&] { WindowOf(userData).mouseButton(qualifiers, x, y); });
    }
    static void MouseMoved(LWPanelID, void *userData, int qualifiers, int x, int y) {
        GuardedVoid([&] { WindowOf(userData).OnMouseMove(x, y, qualifiers); });
    }
    // Older hosts declare key notifications without a result; 0 ("not handled") suits both.
    static int KeyDown(LWPanelID, void *userData, LWDualKey key) {
        GuardedVoid([&] {
            PanelWindow &window = WindowOf(userData);
            window.setHeldKey(key, 1);
            window.OnKeyDown(key);
        });
        return 0;
    }
    static int KeyUp(LWPanelID, void *userData, LWDualKey key) {
        GuardedVoid([&] {
            PanelWindow &window = WindowOf(userData);
            window.setHeldKey(key, 0);
            window.OnKeyUp(key);
        });
        return 0;
    }
    static void Draw(LWPanelID, void *userData, DrMode mode) {
        GuardedVoid([&] { WindowOf(userData).OnDraw(mode); });
    }
    static void ControlEvent(LWControlID control, void *userData) {
        GuardedVoid([&] { WindowOf(userData).OnControlEvent(static_cast<LWControl *>(control)); });
    }
};

PanelWindow::PanelWindow(const char *text, void *creatorContext)
    : context(creatorContext), services(nullptr) {
    if (hostServices.globalFunc)
        services = static_cast<LWPanelFuncs *>(
            hostServices.globalFunc(LWPANELFUNCS_GLOBAL, GFUSE_TRANSIENT));
    if (services) services->globalFun = hostServices.globalFunc;
    title = text ? text : "";
}

PanelWindow::~PanelWindow() {
    if (!panel) return;
    services->close(panel);
    services->destroy(panel);
    panel = nullptr;
}

void PanelWindow::Open(int flags) {
    if (!services) return;
    if (!panel) createPanel();
    if (!panel) return;
    lastPressTime = 0;
    setSize(panel);
    services->open(panel, flags | AddedOpenFlags);
}

void PanelWindow::createPanel() {
    panel = services->create(title.data(), services);
    if (!panel) return;
    services->set(panel, PAN_USERDATA, this);
    services->set(panel, PAN_USEROPEN, AsPointer(&Notifications::Opened));
    services->set(panel, PAN_USERCLOSE, AsPointer(&Notifications::Closed));
    services->set(panel, PAN_USERACTIVATE, AsPointer(&Notifications::Activated));
    services->set(panel, PAN_MOUSEBUTTON, AsPointer(&Notifications::MouseButton));
    services->set(panel, PAN_MOUSEMOVE, AsPointer(&Notifications::MouseMoved));
    services->set(panel, PAN_USERKEYS, AsPointer(&Notifications::KeyDown));
    services->set(panel, PAN_USERKEYUPS, AsPointer(&Notifications::KeyUp));
    services->set(panel, PAN_USERDRAW, AsPointer(&Notifications::Draw));
    CreateControls();
}

void PanelWindow::HookControl(LWControl *control) {
    // A pointer travels in an integer record's value word; ptr.ptr holds all of it on x86-64
    // and is the same four bytes as the value word on i686.
    LWValue value = {};
    value.ptr.ptr = this;
    value.type = LWT_INTEGER;
    control->set(control, CTL_USERDATA, &value);
    value.ptr.ptr = AsPointer(&Notifications::ControlEvent);
    value.type = LWT_INTEGER;
    control->set(control, CTL_USEREVENT, &value);
}

void PanelWindow::setSize(LWPanelID target) {
    std::int32_t w = width, h = height;
    services->set(target, PAN_W, &w);
    services->set(target, PAN_H, &h);
}

void PanelWindow::setHeldKey(int key, std::int32_t held) {
    switch (key & 0xFFFF) {
        case LWDK_SHIFT:
            held1061 = held;
            break;
        case LWDK_ALT:
            held1060 = held;
            break;
        case LWDK_CTRL:
            held1062 = held;
            break;
        default:
            break;
    }
}

void PanelWindow::mouseButton(int qualifiers, int x, int y) {
    if (!(qualifiers & MOUSE_DOWN)) {
        OnMouseUp(x, y, qualifiers);
        return;
    }
    std::uint32_t now = panelTickSource();
    bool doubleClick = std::abs(std::int64_t{lastPressX} - x) <= DoubleClickDistance &&
                       std::abs(std::int64_t{lastPressY} - y) <= DoubleClickDistance &&
                       now - lastPressTime < DoubleClickMilliseconds;
    lastPressX = x;
    lastPressY = y;
    lastPressTime = now;
    OnMouseDown(x, y, qualifiers, doubleClick);
}
