harbour.jpg
BasicSet
Harbour master's office
 4 
 1500 
 7800 
First aid post
 10 
 1560 
 5580 
Car park - 40 places
 23 
 1350 
 9780 
Coastguard radio mast
 22 
 840 
 11850 
West Mole light Fl.G 3s
 3 
 4410 
 6750 
East Breakwater light Fl(2) 10s
 3 
 4830 
 9000 
Fairway buoy - keep to port
 2 
 4500 
 8220 
MV Northern Star - ferry
 5 
 3180 
 6780 
Yacht Kestrel
 6 
 2790 
 9180 
Fishing fleet
 30 
 3180 
 4950 
Fuel berth
 20 
 3480 
 8340 
Anchorage A - six berths
 1 
 6720 
 11220 
Wreck - 4 m over it
 28 
 5400 
 3540 
[Notes]
Pilot boards one mile south of the East Breakwater
-1 
 5700 
 9600 
Check the north gate before the 06:00 ferry
-1 
 3000 
 300 
[End]
