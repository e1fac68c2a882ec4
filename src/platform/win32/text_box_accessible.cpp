// An IAccessible for Text1, leaning on the system's standard client object for geometry.
#include "platform/win32/text_box_accessible.h"

#include <Scintilla.h>
#include <oleacc.h>

#include <new>
#include <string>

#include "core/window/form1_design.h"
#include "platform/win32/unique_handles.h"
#include "text/utf.h"

namespace platform::win32 {
namespace {

using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

bool is_self(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT put_string(BSTR* out, std::u16string_view text) {
    if (out == nullptr)
        return E_POINTER;
    *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                             static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT put_long(VARIANT* out, LONG value) {
    if (out == nullptr)
        return E_POINTER;
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

HRESULT put_none(BSTR* out) {
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    return S_FALSE;
}

// The box's text read through its window, which may be gone by the time a reader asks.
std::u16string window_text(HWND box) {
    const auto length = static_cast<std::size_t>(SendMessageW(box, SCI_GETLENGTH, 0, 0));
    std::string bytes(length + 1, '\0');
    SendMessageW(box, SCI_GETTEXT, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
    bytes.resize(length);
    return text::utf16_from_utf8(bytes);
}

// COM interfaces have no virtual destructor: the object deletes itself, in Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// Reference counted as COM asks: it lives as long as the screen reader holds it, which may be
// longer than the window; every answer checks the window is still there.
class TextBoxAccessible final : public IAccessible {
  public:
    TextBoxAccessible(HWND box, UniqueCom<IAccessible> standard)
        : box_(box), standard_(std::move(standard)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
            IsEqualIID(id, IID_IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const auto left = static_cast<ULONG>(InterlockedDecrement(&references_));
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: screen readers call IAccessible's methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible: what is the text box's own.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (const HRESULT result = check(child); result != S_OK)
            return result;
        return put_string(name, window::text1_accessible_name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (const HRESULT result = check(child); result != S_OK)
            return result;
        try {
            return put_string(value, window_text(box_));
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (const HRESULT result = check(child); result != S_OK)
            return result;
        return put_long(role, ROLE_SYSTEM_TEXT);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (const HRESULT result = check(child); result != S_OK)
            return result;
        LONG flags = STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == box_)
            flags |= STATE_SYSTEM_FOCUSED;
        if (!IsWindowVisible(box_))
            flags |= STATE_SYSTEM_INVISIBLE;
        return put_long(state, flags);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr)
            return E_POINTER;
        VariantInit(focus);
        if (!IsWindow(box_))
            return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != box_)
            return S_FALSE;
        return put_long(focus, CHILDID_SELF);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        if (child == nullptr)
            return E_POINTER;
        *child = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        if (const HRESULT result = check(child); result != S_OK)
            return result;
        return put_string(text, window::text1_accessible_description);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return none_for(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (topic != nullptr)
            *topic = 0;
        return put_none(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return none_for(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
        return none_for(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection == nullptr)
            return E_POINTER;
        VariantInit(selection);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // IAccessible: the window's geometry and place among others, as the system gives any window.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }

  private:
    ~TextBoxAccessible() = default;

    HRESULT check(const VARIANT& child) const {
        if (!IsWindow(box_))
            return CO_E_OBJNOTCONNECTED;
        return is_self(child) ? S_OK : E_INVALIDARG;
    }
    HRESULT none_for(const VARIANT& child, BSTR* text) const {
        if (const HRESULT result = check(child); result != S_OK)
            return result;
        return put_none(text);
    }

    HWND box_;
    UniqueCom<IAccessible> standard_;
    LONG references_ = 1;
};

#pragma GCC diagnostic pop

}  // namespace

TextBoxAccessibility::~TextBoxAccessibility() {
    if (com_started_)
        CoUninitialize();
}

std::optional<LRESULT> TextBoxAccessibility::object_for(HWND box, WPARAM wparam, LPARAM lparam) {
    if (static_cast<LONG>(lparam) != OBJID_CLIENT)
        return std::nullopt;
    if (!com_started_) {
        // Fails harmlessly where the thread already has COM of another kind.
        com_started_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    const auto create_standard =
        oleacc_.find<CreateStdAccessibleObjectFunction>("CreateStdAccessibleObject");
    const auto result_from_object = oleacc_.find<LresultFromObjectFunction>("LresultFromObject");
    if (create_standard == nullptr || result_from_object == nullptr)
        return std::nullopt;
    // The system's object made here lives in oleacc, and as long as a screen reader holds ours,
    // which may be longer than the box, or this program's windows, live.
    oleacc_.pin();
    UniqueCom<IAccessible> standard;
    if (FAILED(create_standard(box, OBJID_CLIENT, IID_IAccessible, standard.out())))
        return std::nullopt;
    // The one reference made here is handed over: LresultFromObject takes its own.
    UniqueCom<IAccessible> object(new TextBoxAccessible(box, std::move(standard)));
    return result_from_object(IID_IAccessible, wparam, object.get());
}

}  // namespace platform::win32
