// Lights and materials on OpenGL's fixed-function lighting.
#include "platform/gfx/DeviceLighting.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/GlContext.h"

#include <cmath>

namespace plk::gfx
{

namespace
{

void ToFloats(const ColorValue& c, float out[4])
{
    out[0] = c.r;
    out[1] = c.g;
    out[2] = c.b;
    out[3] = c.a;
}

// OpenGL's spot exponent stands in for Direct3D's falloff between the two cones; its cut-off
// is the outer cone's half angle in degrees.
const float kDegreesPerRadian = 57.29578f;
const float kMaxSpotExponent = 128.0f;

} // namespace

int SetLight(Device& device, int index, const Light& light)
{
    if (index < 0 || index >= kMaxLights)
        return kErrInvalidCall;
    if (!device.IsCreated())
        return kErrInvalidCall;
    device.Lighting().lights[static_cast<size_t>(index)] = light;
    device.Lighting().placedBy[static_cast<size_t>(index)] = device.GetTransform(kView);
    const GLenum id = GL_LIGHT0 + index;
    float color[4];
    ToFloats(light.diffuse, color);
    glLightfv(id, GL_DIFFUSE, color);
    ToFloats(light.specular, color);
    glLightfv(id, GL_SPECULAR, color);
    ToFloats(light.ambient, color);
    glLightfv(id, GL_AMBIENT, color);
    // OpenGL transforms the position by the model-view matrix current at this call: the view.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(device.GetTransform(kView).Data());
    if (light.type == kLightDirectional)
    {
        // A direction the light travels becomes a position at infinity on the opposite side.
        const float position[4] = {-light.direction.x, -light.direction.y, -light.direction.z, 0.0f};
        glLightfv(id, GL_POSITION, position);
        glLightf(id, GL_SPOT_CUTOFF, 180.0f);
        glLightf(id, GL_CONSTANT_ATTENUATION, 1.0f);
        glLightf(id, GL_LINEAR_ATTENUATION, 0.0f);
        glLightf(id, GL_QUADRATIC_ATTENUATION, 0.0f);
    }
    else
    {
        const float position[4] = {light.position.x, light.position.y, light.position.z, 1.0f};
        glLightfv(id, GL_POSITION, position);
        glLightf(id, GL_CONSTANT_ATTENUATION, light.attenuation0);
        glLightf(id, GL_LINEAR_ATTENUATION, light.attenuation1);
        glLightf(id, GL_QUADRATIC_ATTENUATION, light.attenuation2);
        if (light.type == kLightSpot)
        {
            const float direction[3] = {light.direction.x, light.direction.y, light.direction.z};
            glLightfv(id, GL_SPOT_DIRECTION, direction);
            glLightf(id, GL_SPOT_CUTOFF, std::fmin(90.0f, light.phi * 0.5f * kDegreesPerRadian));
            glLightf(id, GL_SPOT_EXPONENT, std::fmin(kMaxSpotExponent, std::fmax(0.0f, light.falloff)));
        }
        else
        {
            glLightf(id, GL_SPOT_CUTOFF, 180.0f);
        }
    }
    glPopMatrix();
    return kOk;
}

int LightEnable(Device& device, int index, bool enable)
{
    if (index < 0 || index >= kMaxLights || !device.IsCreated())
        return kErrInvalidCall;
    const uint32_t bit = 1u << index;
    device.Lighting().enabled = enable ? device.Lighting().enabled | bit : device.Lighting().enabled & ~bit;
    if (enable)
        glEnable(GL_LIGHT0 + index);
    else
        glDisable(GL_LIGHT0 + index);
    return kOk;
}

int SetMaterial(Device& device, const Material& material)
{
    if (!device.IsCreated())
        return kErrInvalidCall;
    device.Lighting().material = material;
    float color[4];
    ToFloats(material.diffuse, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, color);
    ToFloats(material.ambient, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, color);
    ToFloats(material.specular, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, color);
    ToFloats(material.emissive, color);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, color);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::fmin(128.0f, std::fmax(0.0f, material.power)));
    return kOk;
}

float MaxPointSize(Device& device)
{
    if (!device.IsCreated())
        return 0.0f;
    float range[2] = {0.0f, 0.0f};
    glGetFloatv(GL_ALIASED_POINT_SIZE_RANGE, range);
    return range[1];
}

} // namespace plk::gfx
