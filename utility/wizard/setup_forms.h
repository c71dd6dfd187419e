#pragma once
// The form of each set-up page, found by the page's number. Each form's own unit
// registers its factory when the program loads (velmora_wizard_pages is linked whole
// for that), so the main window's page table reads the descriptor rows and this
// registry, and names no form: adding a page is its row, its rules and its form.
#include "wizard_pages.h"

namespace velmora {

class CSetupPage;
struct PageContext;

using SetupFormFactory = CSetupPage* (*)(PageContext& context, const PageDescriptor& descriptor);

template <typename Form> CSetupPage* makeSetupForm(PageContext& context, const PageDescriptor& descriptor)
{
    return new Form(context, descriptor);
}

// A static object of a form's unit: registers the form of page `id`.
struct SetupFormRegistration {
    SetupFormRegistration(int id, SetupFormFactory make);
};

// The factory of page `id`'s form; nullptr when none is registered.
SetupFormFactory setupFormFactory(int id);

} // namespace velmora
