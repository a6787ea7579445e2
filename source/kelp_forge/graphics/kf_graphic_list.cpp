#include "kelp_forge/graphics/kf_graphic_list.hpp"

#include "kelp_forge/core/kf_error.hpp"

#include <algorithm>

namespace KelpForge::Graphics
{

GraphicList::~GraphicList()
{
    ClearGraphics();
}

void GraphicList::SetColor(const Color& color)
{
    for (std::size_t index = 0; index < mDrawList.size(); ++index)
    {
        mDrawList[index]->SetColor(color);
    }
    Graphic::SetColor(color);
}

void GraphicList::AddGraphic(Graphic& graphic)
{
    kf_error_if(&graphic == this, "kfExternalError: Cannot add a GraphicList to itself.");
    if (&graphic != this)
    {
        InsertByDepth(&graphic);
    }
}

void GraphicList::AddGraphic(Graphic* graphic)
{
    kf_error_if(graphic == nullptr, "kfExternalError: Expected graphic to be a valid pointer.");
    kf_error_if(graphic == this, "kfExternalError: Cannot add a GraphicList to itself.");
    if (graphic == nullptr || graphic == this)
    {
        return;
    }
    // A second ownership entry would delete the child twice.
    const bool isOwned = IsOwned(graphic);
    kf_error_if(isOwned, "kfExternalError: Graphic is already owned by this GraphicList.");
    if (!isOwned)
    {
        mOwnedList.push_back(graphic);
        InsertByDepth(graphic);
    }
}

void GraphicList::RemoveGraphic(Graphic* graphic)
{
    std::erase(mDrawList, graphic);
    const auto owned = std::find(mOwnedList.begin(), mOwnedList.end(), graphic);
    if (owned != mOwnedList.end())
    {
        mOwnedList.erase(owned);
        delete graphic;
    }
}

void GraphicList::ClearGraphics()
{
    while (!mOwnedList.empty())
    {
        Graphic* const newest = mOwnedList.back();
        mOwnedList.pop_back();
        delete newest;
    }
    mDrawList.clear();
}

void GraphicList::OnUpdate(float deltaTime)
{
    // Indexing rather than iterators: a child may remove graphics from this list while updating.
    for (std::size_t index = 0; index < mDrawList.size(); ++index)
    {
        mDrawList[index]->Update(deltaTime);
    }
}

void GraphicList::OnRender()
{
    for (std::size_t index = 0; index < mDrawList.size(); ++index)
    {
        mDrawList[index]->Render();
    }
}

bool GraphicList::IsOwned(const Graphic* graphic) const
{
    return std::find(mOwnedList.begin(), mOwnedList.end(), graphic) != mOwnedList.end();
}

void GraphicList::InsertByDepth(Graphic* graphic)
{
    const float depth = graphic->GetDepth();
    const auto deeper = std::find_if(mDrawList.begin(), mDrawList.end(),
                                     [depth](const Graphic* child) { return child->GetDepth() > depth; });
    mDrawList.insert(deeper, graphic);
}

} // namespace KelpForge::Graphics
