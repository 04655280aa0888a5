// Point sprites on the device: the fixed-function point states, and a small vertex program for
// points that carry their own size (OpenGL's fixed function has one size per draw).
#include "platform/gfx/Device.h"

#include "platform/gfx/GlContext.h"


namespace plk::gfx
{

namespace
{

// Transforms as fixed function does, keeps the vertex colour unlit and sizes the point as
// Direct3D does: viewport height x size / sqrt(A + B d + C d^2) when scaling, else the size in pixels.
const char* const kPointVertexProgram = R"(#version 120
attribute float pointSize;
uniform vec3 scaleFactors;
uniform float viewportHeight;
uniform bool scaling;
uniform vec2 sizeRange;
uniform bool rangeFog;
void main()
{
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    gl_Position = gl_ProjectionMatrix * eye;
    gl_FrontColor = gl_Color;
    gl_BackColor = gl_Color;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    float d = length(eye.xyz);
    gl_FogFragCoord = rangeFog ? d : abs(eye.z);
    float size = pointSize;
    if (scaling)
        size = viewportHeight * pointSize * inversesqrt(max(scaleFactors.x + scaleFactors.y * d + scaleFactors.z * d * d, 1e-12));
    gl_PointSize = clamp(size, sizeRange.x, sizeRange.y);
}
)";

} // namespace

void Device::ApplyPointStates()
{
    const auto& rs = m_state.renderStates;
    const bool sprites = rs[kPointSpriteEnable] != 0;
    SetEnabledPointSprite(sprites);
    glPointSize(BitsFloat(rs[kPointSize]));
    glPointParameterf(GL_POINT_SIZE_MIN, BitsFloat(rs[kPointSizeMin]));
    glPointParameterf(GL_POINT_SIZE_MAX, BitsFloat(rs[kPointSizeMax]));
    // OpenGL's attenuation divides the size by sqrt(a + b d + c d^2); Direct3D also multiplies by
    // the viewport height, folded in here as a division of the factors by its square.
    const float height = static_cast<float>(m_state.viewport.height > 0 ? m_state.viewport.height : 1);
    const float squared = height * height;
    const float attenuation[3] = {
        rs[kPointScaleEnable] ? BitsFloat(rs[kPointScaleA]) / squared : 1.0f,
        rs[kPointScaleEnable] ? BitsFloat(rs[kPointScaleB]) / squared : 0.0f,
        rs[kPointScaleEnable] ? BitsFloat(rs[kPointScaleC]) / squared : 0.0f,
    };
    glPointParameterfv(GL_POINT_DISTANCE_ATTENUATION, attenuation);
}

void Device::SetEnabledPointSprite(bool enabled)
{
    glActiveTexture(GL_TEXTURE0);
    if (enabled)
        glEnable(GL_POINT_SPRITE);
    else
        glDisable(GL_POINT_SPRITE);
    // The whole texture spreads over the square, top-left corner first as in Direct3D.
    glTexEnvi(GL_POINT_SPRITE, GL_COORD_REPLACE, enabled ? GL_TRUE : GL_FALSE);
}

bool Device::SupportsPointSizePerVertex()
{
    return BuildPointProgram();
}

bool Device::BuildPointProgram()
{
    if (m_pointProgram != 0)
        return true;
    if (m_pointProgramFailed || !m_context)
        return false;
    m_pointProgramFailed = true;
    const GLuint shader = glCreateShader(GL_VERTEX_SHADER);
    glShaderSource(shader, 1, &kPointVertexProgram, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE)
    {
        char log[512] = {};
        glGetShaderInfoLog(shader, sizeof(log), nullptr, log);
        m_error = std::string("the point-size program does not compile: ") + log;
        glDeleteShader(shader);
        return false;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, shader);
    glLinkProgram(program);
    glDeleteShader(shader);
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE)
    {
        m_error = "the point-size program does not link";
        glDeleteProgram(program);
        return false;
    }
    m_pointProgram = program;
    m_pointSizeAttribute = glGetAttribLocation(program, "pointSize");
    m_pointProgramFailed = false;
    return true;
}

void Device::ReleasePointProgram()
{
    if (m_pointProgram != 0 && m_context && CurrentContextGeneration() == m_generation)
        glDeleteProgram(m_pointProgram);
    m_pointProgram = 0;
    m_pointSizeAttribute = -1;
    m_pointProgramFailed = false;
    m_pointProgramActive = false;
}

void Device::UsePointProgram(bool use)
{
    use = use && BuildPointProgram();
    if (!use)
    {
        if (m_pointProgramActive)
        {
            glUseProgram(0);
            glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);
            m_pointProgramActive = false;
        }
        return;
    }
    const auto& rs = m_state.renderStates;
    glUseProgram(m_pointProgram);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    m_pointProgramActive = true;
    glUniform3f(glGetUniformLocation(m_pointProgram, "scaleFactors"), BitsFloat(rs[kPointScaleA]),
                BitsFloat(rs[kPointScaleB]), BitsFloat(rs[kPointScaleC]));
    glUniform1f(glGetUniformLocation(m_pointProgram, "viewportHeight"), static_cast<float>(m_state.viewport.height));
    glUniform1i(glGetUniformLocation(m_pointProgram, "scaling"), rs[kPointScaleEnable] ? 1 : 0);
    glUniform2f(glGetUniformLocation(m_pointProgram, "sizeRange"), BitsFloat(rs[kPointSizeMin]),
                BitsFloat(rs[kPointSizeMax]));
    glUniform1i(glGetUniformLocation(m_pointProgram, "rangeFog"), rs[kRangeFogEnable] ? 1 : 0);
}

} // namespace plk::gfx
