// The Japanese face names the settings and dialogs use are not installed here; these
// substitutions make them resolve to the IPA Gothic and Mincho faces the project installs.
#pragma once

namespace rumo {

// Makes "ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝" and their relatives resolve to the IPA faces, and lets
// their bold be synthesised at every size. Safe to call more than once.
void installJapaneseFaceSubstitutions();

}  // namespace rumo
