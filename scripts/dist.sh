#!/usr/bin/env bash
# Builds both widths and lays out the release in dist/:
#
#   Quillant-<version>-x86.msi, Quillant-<version>-x64.msi
#   x86/, x64/     Quillant.dll, QuillantForms.dll and the side-by-side
#                  manifest Quillant.<width>.manifest, for registration-free use;
#                  the type libraries Quillant.tlb and QuillantForms.tlb of
#                  that width, for early binding (#import, tlbimp)
#   idl/           Quillant.idl, QuillantForms.idl and component/dispids.h,
#                  for midl or widl
#   docs/, samples/, LICENSE, NOTICE, CHANGELOG.md   what the installers put beside
#                  the DLLs: the release is under the Apache License 2.0 (LICENSE),
#                  with the notices of what it includes (NOTICE)
#   SHA256SUMS     of every other file, for sha256sum -c
#
# Only what the release needs is built (no tests). The version is
# project(VERSION) in CMakeLists.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

for preset in win32 win64; do
    echo "== build: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)" --target msi
done

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)
rm -rf dist
mkdir -p dist
for pair in win32:x86 win64:x64; do
    preset=${pair%%:*}
    width=${pair##*:}
    cp "build/$preset/installer/Quillant-$version-$width.msi" dist/
    mkdir -p "dist/$width"
    cp "build/$preset/bin/Quillant.dll" "build/$preset/bin/QuillantForms.dll" \
        "build/$preset/installer/Quillant.$width.manifest" "build/$preset/component/tlb/Quillant.tlb" \
        "build/$preset/forms/idl/QuillantForms.tlb" "dist/$width/"
done
mkdir -p dist/idl/component
cp component/Quillant.idl forms/QuillantForms.idl dist/idl/
cp component/dispids.h dist/idl/component/
# The documents and samples are the installers' own list.
while IFS= read -r file; do
    mkdir -p "dist/$(dirname "$file")"
    cp "$file" "dist/$file"
done <build/win64/installer/payload.txt
(cd dist && find . -type f ! -name SHA256SUMS | sed 's#^\./##' | LC_ALL=C sort | xargs -d '\n' sha256sum >SHA256SUMS)
echo "dist: Quillant $version"
(cd dist && find . -type f | LC_ALL=C sort | sed 's#^\./#  #')
