// Screen metrics: twips per pixel (15 on a 96-dpi display).
#pragma once

namespace host {

class ScreenMetrics {
  public:
    virtual ~ScreenMetrics() = default;
    virtual float twips_per_pixel_x() const = 0;
    virtual float twips_per_pixel_y() const = 0;
};

}  // namespace host
