#include "VKMessage.h"

#include "UserInfo.h"

#include <pugixml.hpp>

TVKMessage::TVKMessage() : FAuthor(std::make_shared<TVKStoredUser>(TPeopleFolders())) {}

void TVKMessage::LoadFromXMLNode(const pugi::xml_node& node)
{
    FAuthor->SetName(QString::fromUtf8(node.child("uid").child_value()));
    FBody = QString::fromUtf8(node.child("body").child_value());
    FTitle = QString::fromUtf8(node.child("title").child_value());
    FDate = UnixTimeToLocal(QString::fromUtf8(node.child("date").child_value()));
}
