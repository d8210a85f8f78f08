// Choosing the drawing face for a stored font name.
#include "editor/FontChoice.h"

#include <algorithm>

const std::vector<std::string>& JapaneseMonospaceFaces() {
    static const std::vector<std::string> faces = {
        "Noto Sans Mono CJK JP", "IPAGothic", "VL Gothic", "TakaoGothic", "IPAexGothic",
    };
    return faces;
}

std::string ChooseEditorFace(const std::string& name,
                             const std::function<TFaceInfo(const std::string&)>& lookup) {
    const TFaceInfo own = lookup(name);
    if (own.Installed && own.FixedPitch) return name;
    for (const std::string& face : JapaneseMonospaceFaces()) {
        const TFaceInfo f = lookup(face);
        if (f.Installed && f.Japanese) return face;
    }
    return name;
}

std::vector<std::string>
EditorFontFaces(const std::vector<std::string>& installed,
                const std::function<TFaceInfo(const std::string&)>& lookup) {
    std::vector<std::string> faces;
    for (const std::string& face : installed)
        if (lookup(face).FixedPitch) faces.push_back(face);
    std::sort(faces.begin(), faces.end());
    faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
    return faces;
}

TFontRequest EditorFontRequest(const std::string& face, int height, int style) {
    TFontRequest s;
    s.Families = {face};
    s.TypeWriter = true;
    if (height < 0) s.PixelSize = -height;
    if (height > 0) s.PixelSize = height * 3 / 4 > 0 ? height * 3 / 4 : 1;
    s.Style = style;
    return s;
}
