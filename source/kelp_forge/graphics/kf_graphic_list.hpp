#ifndef KELP_FORGE_GRAPHICS_GRAPHIC_LIST_HPP
#define KELP_FORGE_GRAPHICS_GRAPHIC_LIST_HPP

#include "kelp_forge/graphics/kf_graphic.hpp"

#include <cstddef>
#include <vector>

namespace KelpForge::Graphics
{

// A graphic that draws and updates other graphics in depth order, inside its own transform.
//
// Ownership follows the overload: AddGraphic(Graphic&) only refers to the child, which the caller
// must keep alive for as long as it is in the list; AddGraphic(Graphic*) hands the child over,
// and the list deletes it when it is removed, when the list is cleared and when the list is
// destroyed. A list cannot be copied, since two lists would then delete the same children.
class GraphicList : public Graphic
{
public:
    GraphicList() = default;
    GraphicList(const GraphicList&) = delete;
    GraphicList& operator=(const GraphicList&) = delete;
    ~GraphicList() override;

    // Recolours every child (lists recolour theirs), then the list itself.
    void SetColor(const Color& color) override;

    // The child goes before the first child of greater depth, so equal depths keep the order of
    // adding. The order is fixed when added: changing a child's depth later does not move it.
    void AddGraphic(Graphic& graphic);
    // As above, and the list owns the child from now on. A null pointer, the list itself and a
    // child this list owns already are refused.
    void AddGraphic(Graphic* graphic);
    // Takes every entry of the graphic out of the draw order and deletes it if owned. A graphic
    // that is not in the list is ignored.
    void RemoveGraphic(Graphic* graphic);
    // Deletes the owned children, newest first, and empties the list.
    void ClearGraphics();

    [[nodiscard]] std::size_t GetGraphicCount() const { return mDrawList.size(); }

protected:
    void OnUpdate(float deltaTime) override;
    void OnRender() override;

private:
    bool IsOwned(const Graphic* graphic) const;
    void InsertByDepth(Graphic* graphic);

    std::vector<Graphic*> mDrawList;
    std::vector<Graphic*> mOwnedList;
};

} // namespace KelpForge::Graphics

#endif
