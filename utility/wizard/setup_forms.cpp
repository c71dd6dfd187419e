#include "setup_forms.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "page_switcher.h"

namespace velmora {

namespace {

// Filled while the program loads, before main(); a function's static so that it
// exists before the first form's unit registers.
std::array<SetupFormFactory, page::kCount>& factories()
{
    static std::array<SetupFormFactory, page::kCount> table{};
    return table;
}

} // namespace

SetupFormRegistration::SetupFormRegistration(int id, SetupFormFactory make)
{
    if (id < 0 || id >= page::kCount || factories()[static_cast<std::size_t>(id)]) {
        std::fprintf(stderr, "velmora: the form of set-up page %d is registered twice or out of range\n", id);
        std::abort();
    }
    factories()[static_cast<std::size_t>(id)] = make;
}

SetupFormFactory setupFormFactory(int id)
{
    return id < 0 || id >= page::kCount ? nullptr : factories()[static_cast<std::size_t>(id)];
}

} // namespace velmora
