//
// created by NOVRA
//	macro    : delay
//	function : setup + set + function delay
//	update   : @TIME@
//

module delay_5_1(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#585	req_out = req_in;
endmodule

module delay_9_1(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#585	req_out = req_in;
endmodule
module delay_9_2(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#585	req_out = req_in;
endmodule
module delay_9_3(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#450	req_out = req_in;
endmodule

module delay_11_1(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#585	req_out = req_in;
endmodule

module delay_20_1(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#900	req_out = req_in;
endmodule

module delay_22_1(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#615	req_out = req_in;
endmodule
module delay_22_2(
 req_in, req_out
);
input	req_in;
output	req_out;
	assign	#945	req_out = req_in;
endmodule
