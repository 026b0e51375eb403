#include "datbuild/entries.h"

// A rule's negative size is a least size.
static EntrySpec spec_of(const EntryRule *rule) {
  EntrySpec e = {KIND_BITMAP, 0, 0, 0, 0};
  if (!rule) return e;
  e.kind = rule->kind;
  if (rule->width > 0) e.width = rule->width;
  if (rule->height > 0) e.height = rule->height;
  if (rule->width < 0) e.minWidth = -rule->width;
  if (rule->height < 0) e.minHeight = -rule->height;
  return e;
}

EntrySpec main_entry_spec(int index) { return spec_of(main_entry_rule(index)); }

EntrySpec splash_entry_spec(int index) { return spec_of(splash_entry_rule(index)); }
