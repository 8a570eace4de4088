floorplan.jpg
Markers
Fire assembly point
 1 
 1200 
 1800 
First aider: Room 2
 2 
 3300 
 6300 
Printer
 3 
 4500 
 9600 
Visitor desk
 4 
 6900 
 4500 
[Notes]
Move the meeting room chairs on Friday
-1 
 600 
 10500 
[End]
