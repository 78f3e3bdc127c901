// The graph settings of the settings page, read by the graph view at each paint.
#pragma once

namespace kelvora {

struct GraphSettings {
    int SampleCount = 300;  // coarse cells of an implicit trace across the plot's longer side
    float LineThickness = 2.0f;
    bool ShowGrid = true;
    bool ShowLabels = true;
};

}  // namespace kelvora
