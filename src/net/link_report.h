// One line on what the link and the inbox saw, for the end of an online match.
#pragma once
#include <string>

#include "net/enet_link.h"
#include "net/input_inbox.h"

std::string DescribeLink(const LinkCounters& link, const InboxCounts& inbox);
