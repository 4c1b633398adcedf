#include "win32/accessible.h"

#include <ole2.h>
#include <oleacc.h>
#include <commctrl.h>

#include <string>

#include "win32/texte.h"

// The interfaces are named by __uuidof: oleacc's import library also lists IID_IAccessible, as
// an entry of the DLL, and linking against it would take that entry for the identifier.
namespace zor::win32 {
namespace {

// Asks the control itself what is read of it, so that an object a screen reader keeps after the
// control is gone reads nothing (the message then goes nowhere).
const UINT kMessageLecture = RegisterWindowMessageW(L"ZorLectureAccessible");
constexpr LRESULT kLu = 0x5A4F52;  // "ZOR": the control did answer

struct Lecture {
  Accessibilite accessibilite;
  long role = 0;
};

struct Donnees {
  std::function<Accessibilite()> lire;
  long role;
};

bool soiMeme(const VARIANT& enfant) { return enfant.vt == VT_I4 && enfant.lVal == CHILDID_SELF; }

HRESULT chaine(const std::string& texte, BSTR* resultat) {
  *resultat = nullptr;
  if (texte.empty()) return S_FALSE;
  const std::wstring t = large(texte);
  *resultat = SysAllocStringLen(t.data(), static_cast<UINT>(t.size()));
  return *resultat != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The system's object for the control, with the model's name, value, description and role.
class AccessibleZor final : public IAccessible {
 public:
  AccessibleZor(HWND controle, IAccessible* systeme) : controle_(controle), systeme_(systeme) {}
  AccessibleZor(const AccessibleZor&) = delete;
  AccessibleZor& operator=(const AccessibleZor&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** objet) override {
    if (objet == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *objet = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *objet = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG reste = InterlockedDecrement(&references_);
    if (reste == 0) {
      systeme_->Release();
      delete this;
    }
    return static_cast<ULONG>(reste);
  }

  // IDispatch: the system's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return systeme_->GetTypeInfoCount(n); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return systeme_->GetTypeInfo(i, l, t); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* noms, UINT n, LCID l, DISPID* ids) override {
    return systeme_->GetIDsOfNames(iid, noms, n, l, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID l, WORD f, DISPPARAMS* p, VARIANT* r, EXCEPINFO* e,
                                   UINT* a) override {
    return systeme_->Invoke(id, iid, l, f, p, r, e, a);
  }

  // What the model says.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT enfant, BSTR* nom) override {
    if (!soiMeme(enfant)) return systeme_->get_accName(enfant, nom);
    Lecture l;
    if (!lire(l)) return E_FAIL;
    return chaine(l.accessibilite.nom, nom);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT enfant, BSTR* valeur) override {
    Lecture l;
    if (!soiMeme(enfant) || !lire(l) || l.accessibilite.valeur.empty()) return systeme_->get_accValue(enfant, valeur);
    return chaine(l.accessibilite.valeur, valeur);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT enfant, BSTR* description) override {
    if (!soiMeme(enfant)) return systeme_->get_accDescription(enfant, description);
    Lecture l;
    if (!lire(l)) return E_FAIL;
    return chaine(l.accessibilite.description, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT enfant, VARIANT* role) override {
    Lecture l;
    if (!soiMeme(enfant) || !lire(l) || l.role == 0) return systeme_->get_accRole(enfant, role);
    role->vt = VT_I4;
    role->lVal = l.role;
    return S_OK;
  }

  // The rest: the system's.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return systeme_->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override { return systeme_->get_accChildCount(n); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT e, IDispatch** d) override { return systeme_->get_accChild(e, d); }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT e, VARIANT* s) override { return systeme_->get_accState(e, s); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT e, BSTR* a) override { return systeme_->get_accHelp(e, a); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT e, LONG* t) override {
    return systeme_->get_accHelpTopic(f, e, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT e, BSTR* r) override {
    return systeme_->get_accKeyboardShortcut(e, r);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* e) override { return systeme_->get_accFocus(e); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* e) override { return systeme_->get_accSelection(e); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT e, BSTR* a) override {
    return systeme_->get_accDefaultAction(e, a);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT e) override { return systeme_->accSelect(f, e); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* l, LONG* h, VARIANT e) override {
    return systeme_->accLocation(x, y, l, h, e);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT e, VARIANT* f) override { return systeme_->accNavigate(d, e, f); }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* e) override { return systeme_->accHitTest(x, y, e); }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT e) override { return systeme_->accDoDefaultAction(e); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT e, BSTR n) override { return systeme_->put_accName(e, n); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT e, BSTR v) override { return systeme_->put_accValue(e, v); }

 private:
  ~AccessibleZor() = default;
  bool lire(Lecture& l) const {
    return IsWindow(controle_) && SendMessageW(controle_, kMessageLecture, 0, reinterpret_cast<LPARAM>(&l)) == kLu;
  }

  LONG references_ = 1;
  HWND controle_;
  IAccessible* systeme_;  // owned
};

LRESULT CALLBACK sousClasse(HWND w, UINT message, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR donnees) {
  auto* d = reinterpret_cast<Donnees*>(donnees);
  if (message == kMessageLecture && lp != 0) {
    *reinterpret_cast<Lecture*>(lp) = {d->lire(), d->role};
    return kLu;
  }
  switch (message) {
    case WM_GETOBJECT:
      if (static_cast<LONG>(lp) == OBJID_CLIENT) {
        IAccessible* systeme = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(w, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&systeme)))) {
          auto* objet = new AccessibleZor(w, systeme);
          const LRESULT r = LresultFromObject(__uuidof(IAccessible), wp, objet);
          objet->Release();
          return r;
        }
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(w, sousClasse, id);
      delete d;
      break;
    default: break;
  }
  return DefSubclassProc(w, message, wp, lp);
}

}  // namespace

void rendreAccessible(HWND controle, std::function<Accessibilite()> lire, long role) {
  if (controle == nullptr) return;
  auto* d = new Donnees{std::move(lire), role};
  if (!SetWindowSubclass(controle, sousClasse, 1, reinterpret_cast<DWORD_PTR>(d))) delete d;
}

}  // namespace zor::win32
